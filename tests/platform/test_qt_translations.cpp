// Qt's own texts (file dialogs, standard buttons) are Chinese once the translations are in.
#include "common/TestMain.h"
#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QTest>

class QtTranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void qtTextsBecomeChinese_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("english");
        QTest::newRow("file dialog folder") << "QFileDialog" << "Look in:";
        QTest::newRow("file dialog name") << "QFileDialog" << "File &name:";
        QTest::newRow("file dialog open") << "QFileDialog" << "&Open";
        QTest::newRow("standard button") << "QPlatformTheme" << "Cancel";
    }
    void qtTextsBecomeChinese()
    {
        QFETCH(QString, context);
        QFETCH(QString, english);
        QVERIFY2(InstallQtTranslations(), "qt6-translations-l10n must be installed (scripts/install-deps.sh)");
        const QString text = QCoreApplication::translate(context.toLatin1().constData(), english.toLatin1().constData());
        QVERIFY2(text != english, qPrintable(text));
        QVERIFY2(std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; }),
                 qPrintable(text));
    }
};

TEZ_REGISTER_TEST(QtTranslationsTest)
#include "test_qt_translations.moc"
