// The module the bridge loads for real phones: libimobiledevice, libusbmuxd
// and OpenSSL come with it, never with the program's start.
#include "backend.h"
#include "usbphone.h"

#if defined(_WIN32)
#define TONQUILL_EXPORT extern "C" __declspec(dllexport)
#else
#define TONQUILL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// Ownership of the returned backend passes to the caller; the module stays
// loaded for the rest of the process, so its code outlives the object.
TONQUILL_EXPORT tqbridge::Backend *tonquill_usb_backend(void (*wake)(void *), void *context)
{
    return tqbridge::makeUsbPhoneBackend([wake, context] { wake(context); }).release();
}
