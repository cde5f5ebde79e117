// The GDI owners are in scoped_win.h, with the program's other owners.
#pragma once
#include "platform/scoped_win.h"
