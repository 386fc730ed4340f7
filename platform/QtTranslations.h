#pragma once

// Loads Qt's own Chinese texts (qtbase_zh_CN: file dialogs, standard buttons, context menus)
// into the application, so that what Qt draws speaks the program's language. False when
// the translation file is not installed; the texts then stay English.
bool InstallQtTranslations();
