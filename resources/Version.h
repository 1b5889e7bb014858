#pragma once
// Version of both deliverables, used by their version resources.

#define TARVEK_VERSION_BINARY 1, 0, 1, 9
#define TARVEK_VERSION_TEXT "1.0.1.9"
#define TARVEK_COMPANY "Kelbo, s.r.o."
#define TARVEK_PRODUCT "TarvekPDF Search"
