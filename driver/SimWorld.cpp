// The simulated walk: the access points along it, a path-loss signal model
// and the records a card would report for them.
#include "driver/SimWorld.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

enum RateSet : uint8_t
{
    kRatesBG,
    kRatesB,
    kRatesA
};

struct SimAccessPoint
{
    const char* name;  // UTF-8 here for legibility, reported in Windows-1252; null: hidden
    uint16_t channel;
    uint8_t privacy;
    uint8_t mode;  // NDIS_802_11_NETWORK_INFRASTRUCTURE
    int8_t power;  // dBm at one metre, walls included
    float along;   // metres along the loop from the start corner
    float offset;  // metres from the pavement, positive away from the block
    RateSet rates;
};

constexpr uint8_t kAdHoc = Ndis802_11IBSS;
constexpr uint8_t kInfra = Ndis802_11Infrastructure;

const SimAccessPoint kAccessPoints[kSimAccessPointCount] = {
    {"Cafetería El Rincón", 6, 1, kInfra, -30, 10, 8, kRatesBG},
    {"FIBRA_4C2A", 1, 1, kInfra, -28, 25, -6, kRatesBG},
    {nullptr, 11, 1, kInfra, -32, 32, 10, kRatesBG},
    {"Panadería Muñoz", 6, 0, kInfra, -32, 45, 12, kRatesBG},
    {"HOGAR-7B19", 36, 1, kInfra, -34, 62, 14, kRatesA},
    {"¿Quién anda ahí?", 11, 0, kInfra, -32, 80, -9, kRatesBG},
    {"Farmacia Ibáñez", 1, 1, kInfra, -30, 98, 7, kRatesBG},
    {"WLAN_C4D0", 3, 1, kInfra, -36, 118, 18, kRatesB},
    {"Comunidad de Propietarios Nº 12A", 11, 1, kInfra, -32, 135, 20, kRatesBG},
    {"Quiosco Plaza Mayor", 6, 0, kInfra, -25, 150, 1.5f, kRatesBG},
    {"Biblioteca Pública", 44, 0, kInfra, -30, 165, -12, kRatesA},
    {"Peluquería Estética Ana", 1, 1, kInfra, -34, 182, 9, kRatesBG},
    {"RED_INVITADOS", 6, 0, kInfra, -32, 200, -15, kRatesBG},
    {"Academia de Inglés", 11, 1, kInfra, -30, 215, 11, kRatesBG},
    {"Taller Mecánico López", 9, 1, kInfra, -34, 235, 16, kRatesBG},
    {"Familia García", 1, 1, kInfra, -36, 255, 22, kRatesBG},
    {"Portátil de Íñigo", 11, 0, kAdHoc, -38, 272, 5, kRatesBG},
    {"HOGAR-31E5", 40, 1, kInfra, -32, 290, 10, kRatesA},
    {"Óptica Visión", 6, 1, kInfra, -30, 310, 8, kRatesBG},
    {"Gimnasio Olímpico", 13, 1, kInfra, -28, 330, 25, kRatesBG},
    {"Casa Núñez", 1, 1, kInfra, -36, 350, 12, kRatesBG},
    {"Clínica Dental Sonrisa", 48, 1, kInfra, -32, 372, 9, kRatesA},
    {"FIBRA_90F1", 11, 1, kInfra, -30, 395, -10, kRatesBG},
    {"Hostal La Cigüeña", 6, 1, kInfra, -28, 420, 14, kRatesBG},
    {"Librería Cervantes", 1, 0, kInfra, -34, 440, 6, kRatesBG},
    {"Frutería Begoña", 11, 1, kInfra, -36, 462, 9, kRatesBG},
    {"WLAN_5E", 6, 1, kInfra, -32, 480, 30, kRatesB},
    {"Ayuntamiento Invitados", 149, 0, kInfra, -26, 500, 12, kRatesA},
    {"Escuela de Música", 1, 1, kInfra, -32, 522, -8, kRatesBG},
    {"Colegio San José", 6, 1, kInfra, -28, 545, 18, kRatesBG},
    {"Asociación Vecinal", 11, 1, kInfra, -34, 565, 7, kRatesBG},
    {"Zapatería Pérez", 4, 1, kInfra, -36, 585, 10, kRatesBG},
    {"Oficina 2ºB", 100, 1, kInfra, -32, 605, 15, kRatesA},
    {"HOGAR-A0C3", 1, 1, kInfra, -34, 628, 20, kRatesBG},
    {"Mesón Castellano", 6, 0, kInfra, -32, 650, 9, kRatesBG},
    {"Bar Niño", 11, 0, kInfra, -30, 680, 7, kRatesBG},
    {"Droguería Sánchez", 1, 1, kInfra, -34, 720, 10, kRatesBG},
    {"Estudio Fotográfico", 6, 1, kInfra, -36, 760, -14, kRatesBG},
    {"Guardería Los Peques", 11, 1, kInfra, -30, 795, 10, kRatesBG},
    {"Iglesia Parroquial", 36, 0, kInfra, -32, 825, 6, kRatesA},
};

constexpr double kBlockWidth = 300.0;
constexpr double kBlockDepth = 120.0;
constexpr double kAntennaHeight = 2.5;  // between the card and the access points
constexpr double kBreakpoint = 10.0;    // metres of free-space loss before clutter sets in
constexpr double kClutterExponent = 4.5;
constexpr uint64_t kNoiseStepMs = 1000;

static_assert(2 * (kBlockWidth + kBlockDepth) == kSimLoopLength, "the loop goes round the block");

struct Point
{
    double x;
    double y;
};

// The point 'along' metres round the loop, pushed 'offset' metres outwards.
Point OnLoop(double along, double offset)
{
    double s = std::fmod(along, kSimLoopLength);
    if (s < 0)
        s += kSimLoopLength;
    if (s < kBlockWidth)
        return {s, -offset};
    s -= kBlockWidth;
    if (s < kBlockDepth)
        return {kBlockWidth + offset, s};
    s -= kBlockDepth;
    if (s < kBlockWidth)
        return {kBlockWidth - s, kBlockDepth + offset};
    s -= kBlockWidth;
    return {-offset, kBlockDepth - s};
}

uint64_t Mix(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Uniform in [-1, 1).
double Spread(uint64_t h)
{
    return static_cast<double>(h >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

uint32_t ChannelToKilohertz(uint16_t channel)
{
    if (channel == 14)
        return 2484000;
    if (channel < 14)
        return 2407000 + 5000u * channel;
    return 5000000 + 5000u * channel;
}

// Only Latin-1 letters occur in the names, and Windows-1252 agrees with
// Latin-1 there, so decoding two-byte sequences is all it takes.
uint32_t ToWindows1252(const char* utf8, UCHAR* out, size_t capacity)
{
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    uint32_t n = 0;
    while (*p != 0 && n < capacity)
    {
        if (*p < 0x80)
        {
            out[n++] = *p++;
        }
        else if ((p[0] & 0xE0) == 0xC0 && (p[1] & 0xC0) == 0x80)
        {
            out[n++] = static_cast<UCHAR>(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        }
        else
        {
            out[n++] = '?';
            ++p;
        }
    }
    return n;
}

void SetMacAddress(size_t index, UCHAR* mac)
{
    static const UCHAR kPrefixes[4][3] = {
        {0x00, 0x1F, 0x9F}, {0x40, 0x4A, 0x03}, {0xC8, 0x3A, 0x35}, {0x84, 0x16, 0xF9}};
    if (kAccessPoints[index].mode == kAdHoc)
    {
        // An ad hoc cell's identity is random and locally administered.
        mac[0] = 0x06;
        mac[1] = 0x5A;
        mac[2] = 0x91;
    }
    else
    {
        std::memcpy(mac, kPrefixes[index % 4], 3);
    }
    mac[3] = static_cast<UCHAR>(0x20 + index);
    mac[4] = static_cast<UCHAR>(index * 37 + 11);
    mac[5] = static_cast<UCHAR>(index * 91 + 5);
}

}  // namespace

double SimRawSignal(uint32_t seed, size_t index, uint64_t elapsedMs)
{
    const SimAccessPoint& ap = kAccessPoints[index];
    const Point walker = OnLoop(static_cast<double>(elapsedMs) / 1000.0 * kSimWalkSpeed, 0.0);
    const Point where = OnLoop(ap.along, ap.offset);
    const double dx = walker.x - where.x;
    const double dy = walker.y - where.y;
    const double distance = std::sqrt(dx * dx + dy * dy + kAntennaHeight * kAntennaHeight);
    double loss = 20.0 * std::log10(std::min(distance, kBreakpoint));
    if (distance > kBreakpoint)
        loss += 10.0 * kClutterExponent * std::log10(distance / kBreakpoint);

    // A fixed shadowing per access point and seed, plus a flutter that changes
    // every second: a little triangular noise of up to 3 dB either way.
    const uint64_t apKey = Mix(Mix(seed) ^ (static_cast<uint64_t>(index) << 48));
    const double shadow = 2.0 * Spread(apKey);
    const uint64_t stepKey = Mix(apKey ^ (elapsedMs / kNoiseStepMs));
    const double flutter = 1.5 * (Spread(stepKey) + Spread(Mix(stepKey)));
    return ap.power - loss + shadow + flutter;
}

void SimDescribe(size_t index, int32_t rssi, NDIS_WLAN_BSSID* out)
{
    static const UCHAR kRates[3][8] = {
        {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24},
        {0x82, 0x84, 0x8B, 0x96, 0x00, 0x00, 0x00, 0x00},
        {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C},
    };
    const SimAccessPoint& ap = kAccessPoints[index];
    std::memset(out, 0, sizeof(*out));
    out->Length = sizeof(NDIS_WLAN_BSSID);
    SetMacAddress(index, out->MacAddress);
    out->SsidLength = ap.name != nullptr ? ToWindows1252(ap.name, out->Ssid, kMaxSsidLength) : 0;
    out->Privacy = ap.privacy;
    out->Rssi = rssi;
    switch (ap.rates)
    {
    case kRatesBG:
        out->NetworkTypeInUse = Ndis802_11OFDM24;
        break;
    case kRatesB:
        out->NetworkTypeInUse = Ndis802_11DS;
        break;
    case kRatesA:
        out->NetworkTypeInUse = Ndis802_11OFDM5;
        break;
    }
    out->Configuration.Length = sizeof(NDIS_802_11_CONFIGURATION);
    out->Configuration.BeaconPeriod = 100;
    out->Configuration.ATIMWindow = 0;
    out->Configuration.DSConfig = ChannelToKilohertz(ap.channel);
    out->Configuration.FHConfig.Length = sizeof(NDIS_802_11_CONFIGURATION_FH);
    out->InfrastructureMode = static_cast<NDIS_802_11_NETWORK_INFRASTRUCTURE>(ap.mode);
    std::memcpy(out->SupportedRates, kRates[ap.rates], sizeof(out->SupportedRates));
}

size_t SimHear(uint32_t seed, uint64_t elapsedMs, NDIS_WLAN_BSSID* out, size_t capacity)
{
    struct Heard
    {
        size_t index;
        int32_t rssi;
    };
    Heard heard[kSimAccessPointCount];
    size_t count = 0;
    for (size_t i = 0; i < kSimAccessPointCount; ++i)
    {
        const auto rssi = static_cast<int32_t>(std::lround(SimRawSignal(seed, i, elapsedMs)));
        if (rssi < kSimSensitivity)
            continue;
        heard[count++] = {i, std::clamp(rssi, kSimWeakest, kSimStrongest)};
    }
    std::stable_sort(heard, heard + count, [](const Heard& a, const Heard& b) { return a.rssi > b.rssi; });
    const size_t written = std::min(count, capacity);
    for (size_t i = 0; i < written; ++i)
        SimDescribe(heard[i].index, heard[i].rssi, &out[i]);
    return written;
}
