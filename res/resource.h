// Resource and command ids shared by permora.rc and the windows.
#pragma once

#define IDI_PERMORA 100
#define IDB_BANNER 101
#define IDB_WIZARD 110
#define IDR_ACCELERATORS 102

#define IDM_EXECUTE1 40001
