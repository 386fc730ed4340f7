#pragma once
// The option combos of the conversion windows: the conversion type (code combo) and the
// vocabulary choice whose two items depend on it; the encoding pair of the text-file window.
class QComboBox;

// Fills the code combo with "简体 转 繁体", "繁体 转 简体", "简体文件", "繁体文件".
void FillCodeConv(QComboBox* cbCodeConv);
// Refills the vocabulary combo for a code-combo index and selects its first item:
// indexes 0 and 1 "转码与转词", "只转码"; 2 and 3 "简体用词最佳化", "繁体用词最佳化".
void RefillPhraseConv(int codeIndex, QComboBox* cbPhraseConv);

// The encoding combos of the text-file window: input Big5, UTF-16 Traditional, GB,
// UTF-16 Simplified; output GB, UTF-16 Simplified, Big5, UTF-16 Traditional.
void FillSpecInput(QComboBox* cbInput);
void FillSpecOutput(QComboBox* cbOutput);
// Refills the vocabulary combo for an encoding pair and selects its first item: the same
// script "繁体用词最佳化", "简体用词最佳化"; different scripts "转码与转词", "只转码".
void RefillSpecPhraseConv(int inputIndex, int outputIndex, QComboBox* cbPhraseConv);
