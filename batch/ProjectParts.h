#pragma once
// The parts of the project file that the batch windows own, in the order they are
// registered: the output settings, the Word, Excel, PowerPoint and HTML lists, the HTML
// extensions (on the HTML option line), the text-file list and the folder list.
#include "core/ProjectPart.h"

std::unique_ptr<ProjectPart> OutputSettingProjectPart();
std::unique_ptr<ProjectPart> DocListProjectPart();
std::unique_ptr<ProjectPart> XlsListProjectPart();
std::unique_ptr<ProjectPart> PptListProjectPart();
std::unique_ptr<ProjectPart> HtmlListProjectPart();
std::unique_ptr<ProjectPart> HtmlExtProjectPart();
std::unique_ptr<ProjectPart> SpecListProjectPart();
std::unique_ptr<ProjectPart> FolderListProjectPart();
