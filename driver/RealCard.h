// A real network card's driver, reached through its device handle.
#pragma once

#include <memory>
#include <utility>

#include "afx/UniqueHandle.h"
#include "driver/Device.h"

class RealCard : public IDevice
{
public:
    // Opens the device at 'path' for reading, shared for reading and writing;
    // null if it can't be opened.
    static std::unique_ptr<IDevice> Open(const char* path);

    explicit RealCard(KernelHandle handle) : m_handle(std::move(handle)) {}

    bool IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) override;

private:
    KernelHandle m_handle;
};
