// The project part of the HTML extension list: one more field on the HTML window's option
// line, the extensions of the website dialog separated by ";".
#include "batch/ProjectParts.h"

#include "batch/dlgHtmlSelect.h"
#include "core/FileTypes.h"
#include "core/ProjectFile.h"
#include "core/ProjectLine.h"

#include <QPlainTextEdit>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The extension text of the HTML dialog as one line: trimmed, line breaks made ";".
QString HtmlExtLine()
{
    QString text = dlgHtmlSelect().txtExt->toPlainText().trimmed();
    text.replace(QStringLiteral("\r\n"), QStringLiteral(";"));
    text.replace(QLatin1Char('\n'), QLatin1Char(';'));
    text.replace(QLatin1Char('\r'), QLatin1Char(';'));
    return text;
}

class HtmlExtProjectPartImpl : public ProjectPart {
public:
    void Save(ProjectWriter& file) override { file.AppendToOptionLine({ProjectText(HtmlExtLine())}); }

    void ShowOptions(ProjectReader& file) override
    {
        QString extText = file.Current().value(3);
        extText.replace(QLatin1Char(';'), kCrLf);
        ParseExtList(gcolHtmlExt, extText);
        dlgHtmlSelect().txtExt->setPlainText(QString(extText).replace(kCrLf, QStringLiteral("\n")));
    }

    std::unique_ptr<KeptProjectPart> Keep() override
    {
        return std::make_unique<KeptProjectPart>(
            [extensions = gcolHtmlExt, text = dlgHtmlSelect().txtExt->toPlainText()] {
                gcolHtmlExt = extensions;
                dlgHtmlSelect().txtExt->setPlainText(text);
            });
    }
};

} // namespace

std::unique_ptr<ProjectPart> HtmlExtProjectPart() { return std::make_unique<HtmlExtProjectPartImpl>(); }
