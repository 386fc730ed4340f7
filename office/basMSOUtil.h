#pragma once
// The office "applications" the conversions drive: each is a hold on the program's one
// office (office/OfficeSession.h), empty while that kind does not hold it.
#include "platform/office/OfficeSuite.h"

extern office::OfficeSuite* gWordApp;
extern office::OfficeSuite* gExcelApp;
extern office::OfficeSuite* gPPTApp;
