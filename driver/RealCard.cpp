// A real card: CreateFileA to open, DeviceIoControl for every request.
#include "driver/RealCard.h"

#include <new>

std::unique_ptr<IDevice> RealCard::Open(const char* path)
{
    if (path == nullptr)
        return nullptr;
    KernelHandle handle(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!handle.IsValid())
        return nullptr;
    return std::unique_ptr<IDevice>(new (std::nothrow) RealCard(std::move(handle)));
}

bool RealCard::IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize)
{
    DWORD returned = 0;
    // The input is only read; the API's parameter just isn't declared const.
    return ::DeviceIoControl(m_handle.Get(), code, const_cast<void*>(in), inSize, out, outSize, &returned,
                             nullptr) != FALSE;
}
