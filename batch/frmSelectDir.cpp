#include "batch/frmSelectDir.h"

#include "platform/ButtonRow.h"
#include "platform/Modal.h"
#include "platform/Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

FrmSelectDir& frmSelectDir()
{
    return LoadForm<FrmSelectDir>();
}

FrmSelectDir::FrmSelectDir()
{
    setObjectName(QStringLiteral("frmSelectDir"));
    setWindowTitle(QStringLiteral("选择信息夹"));
    txtDir = new QLineEdit(this);
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QStringLiteral("/"));
    Dir1 = new QTreeView(this);
    Dir1->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        Dir1->hideColumn(column);
    Dir1->setHeaderHidden(true);
    Dir1->setRootIndex(m_folders->index(QStringLiteral("/")));
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdOK->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtDir);
    layout->addWidget(Dir1, 1);
    layout->addLayout(RightAlignedButtons({cmdOK, cmdCancel}));
    resize(TwipsToPixels(5400), TwipsToPixels(4800));

    connect(cmdOK, &QPushButton::clicked, this, &FrmSelectDir::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmSelectDir::cmdCancel_Click);
    connect(Dir1, &QTreeView::clicked, this, &FrmSelectDir::Dir1_Change);
    connect(Dir1, &QTreeView::activated, this, &FrmSelectDir::Dir1_Change);
    // Folders are read in the background: open the way to the current folder as they arrive.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, &FrmSelectDir::ShowCurrentFolder);
    connect(m_folders, &QFileSystemModel::layoutChanged, this, &FrmSelectDir::ShowCurrentFolder);
    txtDir->setFocus();
}

void FrmSelectDir::Form_Load()
{
    setDir1Path(QDir::currentPath());
}

void FrmSelectDir::setDir1Path(const QString& folder)
{
    QString shown = QFileInfo(folder).absoluteFilePath();
    while (!QFileInfo(shown).isDir() && shown != QLatin1String("/"))
        shown = QFileInfo(shown).absolutePath();
    m_shown = shown;
    ShowCurrentFolder();
    txtDir->setText(folder);
}

void FrmSelectDir::ShowCurrentFolder()
{
    if (m_shown.isEmpty())
        return;
    const QModelIndex index = m_folders->index(m_shown);
    for (QModelIndex open = index.parent(); open.isValid(); open = open.parent())
        Dir1->expand(open);
    Dir1->setCurrentIndex(index);
    Dir1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

QString FrmSelectDir::Dir1Path() const
{
    return m_folders->filePath(Dir1->currentIndex());
}

void FrmSelectDir::Dir1_Change(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    m_shown.clear(); // the user chose: the list follows no preset any more
    txtDir->setText(m_folders->filePath(index));
}

bool FrmSelectDir::OpenForm()
{
    m_closed = false;
    modal::execDialog(*this);
    if (!m_closed)
        cmdCancel_Click(); // closed some other way: as Cancel
    const bool ok = s_ok;
    UnloadForm<FrmSelectDir>();
    return ok;
}

void FrmSelectDir::cmdOK_Click()
{
    s_ok = true;
    path = txtDir->text();
    m_closed = true;
    accept();
}

void FrmSelectDir::cmdCancel_Click()
{
    s_ok = false;
    path.clear();
    m_closed = true;
    QDialog::reject();
}

void FrmSelectDir::reject()
{
    cmdCancel_Click();
}
