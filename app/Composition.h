#pragma once
// The composition of the program: registers the ten work windows under their form names,
// the main window's hooks (start-up, shut-down, the two leave operations), the parts of the
// project file in the order the file holds them and the database window's side file. Runs
// once; later calls do nothing.
void ComposeProgram();
