// What a scanned barcode can hold: the runner refuses a scan that names a symbology the data cannot be.
#pragma once

#include <string>

// Why a barcode of the symbology (the barcode page's numbering) cannot hold the data, or empty when it can.
// `options` are the symbology's option bits, of which only Code 39's Full ASCII changes what it holds.
std::string BarcodeFault(int symbology, int options, const std::string& data);
