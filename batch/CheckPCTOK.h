#pragma once
// Whether vocabulary conversion can work with the loaded tables: true exactly when some
// table in use holds at least one item. The Excel and PowerPoint runs switch vocabulary
// conversion off when it is false.
bool CheckPCTOK();
