// The project part of a file-list window: its row count in the header, its option line and
// its rows. A window never loaded is not loaded for saving: it saves -1 as its count and
// as each option.
#include "batch/ProjectParts.h"

#include "batch/WindowLoadedFlags.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "batch/frmPptConv.h"
#include "batch/frmSpecConv.h"
#include "batch/frmXlsConv.h"
#include "core/FileGrid.h"
#include "core/ProjectFile.h"
#include "core/ProjectLine.h"
#include "platform/FlexGrid.h"

#include <QComboBox>

namespace {

// A file-list window's option combos in the order its option line holds them.
QList<QComboBox*> OptionCombos(CodeConvWindow& window) { return {window.cbCodeConv, window.cbPhraseConv}; }
QList<QComboBox*> OptionCombos(FrmSpecConv& window) { return {window.cbInput, window.cbOutput, window.cbPhraseConv}; }

template <class Window>
class FileListProjectPart : public ProjectPart {
public:
    // clearedWithNewProject: a new project starts with this list empty.
    FileListProjectPart(const char* key, const bool& loaded, Window& (*window)(), int comboCount,
                        bool clearedWithNewProject)
        : m_key(key), m_loaded(loaded), m_window(window), m_comboCount(comboCount)
        , m_clearedWithNewProject(clearedWithNewProject)
    {
    }

    void Save(ProjectWriter& file) override
    {
        QStringList options{ProjectText(QString::fromLatin1(m_key))};
        if (!m_loaded) {
            file.HeaderCount(-1);
            for (int i = 0; i < m_comboCount; ++i)
                options << ProjectNumber(-1);
            file.OptionLine(options);
            return;
        }
        FlexGrid* grid = m_window().Grid();
        const int count = ClearFGQMarkFile(grid);
        for (QComboBox* combo : OptionCombos(m_window()))
            options << ProjectNumber(combo->currentIndex());
        file.HeaderCount(count);
        file.OptionLine(options);
        if (count > 0)
            PrjLstSave(grid, file.RowLines());
    }

    void ShowHeader(ProjectReader& file) override { m_count = file.HeaderCount(); }

    // The window's combos take the saved indexes when its list part was saved (count > -1).
    void ShowOptions(ProjectReader& file) override
    {
        const QStringList fields = file.NextWithKey(m_key);
        if (m_count <= -1)
            return;
        const QList<QComboBox*> combos = OptionCombos(m_window());
        for (int i = 0; i < combos.size(); ++i)
            SetProjectComboIndex(combos[i], fields.value(i + 1));
    }

    void ClearList() override
    {
        if (m_clearedWithNewProject)
            ClearFG(m_window().Grid());
    }

    void ShowRows(ProjectReader& file) override
    {
        if (m_count <= 0)
            return;
        PrjLstShow(m_window().Grid(), file, m_count);
        file.ExpectEndLine();
    }

    std::unique_ptr<KeptProjectPart> Keep() override
    {
        if (!m_loaded)
            return nullptr; // nothing of the user's; putting back empties what a project filled
        QList<int> indexes;
        for (QComboBox* combo : OptionCombos(m_window()))
            indexes << combo->currentIndex();
        return std::make_unique<KeptProjectPart>([this, indexes, rows = m_window().Grid()->TakeContent()] {
            // The code combo first: it refills the vocabulary combo's choices.
            const QList<QComboBox*> combos = OptionCombos(m_window());
            for (int i = 0; i < combos.size() && i < indexes.size(); ++i)
                combos[i]->setCurrentIndex(indexes[i]);
            m_window().Grid()->PutContent(rows);
        });
    }

    void Empty() override
    {
        if (m_loaded)
            ClearFG(m_window().Grid());
    }

private:
    const char* m_key;
    const bool& m_loaded;
    Window& (*m_window)();
    int m_comboCount;
    bool m_clearedWithNewProject;
    int m_count = -1;
};

template <class Window>
std::unique_ptr<ProjectPart> MakePart(const char* key, const bool& loaded, Window& (*window)(), int comboCount,
                                      bool clearedWithNewProject)
{
    return std::make_unique<FileListProjectPart<Window>>(key, loaded, window, comboCount, clearedWithNewProject);
}

} // namespace

std::unique_ptr<ProjectPart> DocListProjectPart() { return MakePart("DocConvOption", gbDocConvLoaded, frmDocConv, 2, true); }
std::unique_ptr<ProjectPart> XlsListProjectPart() { return MakePart("XlsConvOption", gbXlsConvLoaded, frmXlsConv, 2, true); }
std::unique_ptr<ProjectPart> PptListProjectPart() { return MakePart("PptConvOption", gbPptConvLoaded, frmPptConv, 2, true); }
std::unique_ptr<ProjectPart> HtmlListProjectPart() { return MakePart("HtmlConvOption", gbHtmlConvLoaded, frmHtmlConv, 2, true); }
std::unique_ptr<ProjectPart> SpecListProjectPart() { return MakePart("SpecConvOption", gbSpecConvLoaded, frmSpecConv, 3, false); }
