#pragma once
// COM's interface-management operations use the standard call on 32-bit Windows.
#define ZR_COM_CALL __stdcall
