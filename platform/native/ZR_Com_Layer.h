#pragma once
// There is one calling convention here; the driver interface compiles for the native fakes as is.
#define ZR_COM_CALL
