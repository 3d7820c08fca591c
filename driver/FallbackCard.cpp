// The switch from the legacy driver to the other way of reaching a card.
#include "driver/FallbackCard.h"

#include <new>
#include <utility>

namespace
{

class FallbackCard : public IDevice
{
public:
    FallbackCard(std::unique_ptr<IDevice> legacy, CardOpener openOther)
        : m_legacy(std::move(legacy)), m_openOther(std::move(openOther))
    {
    }

    bool IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) override
    {
        if (m_other)
            return m_other->IoControl(code, in, inSize, out, outSize);
        if (m_legacy->IoControl(code, in, inSize, out, outSize))
            return true;
        uint32_t oid = 0;
        if (!QueryOid(code, in, inSize, &oid) || oid != OID_802_11_BSSID_LIST)
            return false;
        // Tried again at each failing list request: the other way may come up
        // later (a service starting after the program).
        m_other = m_openOther ? m_openOther() : nullptr;
        if (!m_other)
            return false;
        m_legacy.reset();
        return m_other->IoControl(code, in, inSize, out, outSize);
    }

private:
    std::unique_ptr<IDevice> m_legacy;
    CardOpener m_openOther;
    std::unique_ptr<IDevice> m_other;
};

}  // namespace

std::unique_ptr<IDevice> OpenWithFallback(std::unique_ptr<IDevice> legacy, CardOpener openOther)
{
    if (!legacy)
        return openOther ? openOther() : nullptr;
    return std::unique_ptr<IDevice>(new (std::nothrow) FallbackCard(std::move(legacy), std::move(openOther)));
}
