// The library is built with hidden symbols: a host sees what is marked here and nothing else.
#pragma once

#define PDTDLG_API [[gnu::visibility("default")]]
