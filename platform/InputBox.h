#pragma once
// The input box: a prompt, one text box and OK / Cancel, shown through the modal seam (its
// object name is "InputBox"; the text box is "txtInput", the buttons "cmdOK" and "cmdCancel").
#include <QString>

// The text typed, or an empty text after Cancel. With password, the typed characters are hidden.
QString InputBox(const QString& prompt, const QString& title, const QString& defaultText = QString(),
                 bool password = false);
