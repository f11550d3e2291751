#pragma once
// The host side of ASIO: the driver list, the loaded driver, and the ASIO... functions that forward
// to it. Every function here runs on the client's thread.
#include "ZR_Asio_Driver.h"
#include "ZR_Asio_Drivers.h"

/// The process's driver list; the ASIO device class creates and deletes it.
extern AsioDrivers* asioDrivers;

/// Makes the driver at index of the list loaded (creating the list from ZR_asio_system() when there
/// is none); false when it cannot be opened.
bool loadAsioDriver(int32_t index);

/// Each returns ASE_NotPresent without a loaded driver, else the driver's result.
ASIOError ASIOInit(ASIODriverInfo* info);
/// Releases the loaded driver; 0.
ASIOError ASIOExit();
ASIOError ASIOStart();
ASIOError ASIOStop();
/// Without a driver both counts become 0.
ASIOError ASIOGetChannels(int32_t* inputs, int32_t* outputs);
/// Without a driver all four become 0.
ASIOError ASIOGetBufferSize(int32_t* minimum, int32_t* maximum, int32_t* preferred, int32_t* granularity);
ASIOError ASIOCanSampleRate(ASIOSampleRate rate);
ASIOError ASIOSetSampleRate(ASIOSampleRate rate);
/// Without a driver the record says channel group -1, sample type 0, name "None".
ASIOError ASIOGetChannelInfo(ASIOChannelInfo* info);
/// Without a driver both halves of each of the count descriptions are cleared.
ASIOError ASIOCreateBuffers(ASIOBufferInfo* infos, int32_t count, int32_t bufferSize,
                            ASIOCallbacks* callbacks);
ASIOError ASIODisposeBuffers();
