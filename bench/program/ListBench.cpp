// kesu-listbench: the list features' costs at 100,000 entries under Wine: a
// maker lookup, the maker table's share of the program, a re-sort by signal
// after every signal changed, and an export to CSV written to disk.
//   kesu-listbench [--entries N]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scan/EntryIndex.h"
#include "scan/ListFile.h"
#include "scan/ListOrder.h"
#include "view/ListExport.h"

extern const size_t kMakerTableSize;

namespace
{

double MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    int entries = 100000;
    if (argc == 3 && std::strcmp(argv[1], "--entries") == 0)
        entries = std::max(1, std::atoi(argv[2]));

    // Addresses of real makers' blocks and random ones, as a street's scan gives.
    CEntryList list;
    CEntryListBuilder builder(list);
    for (int i = 0; i < entries; ++i)
    {
        CNetworkEntry* p = &builder.AppendNew();
        NDIS_WLAN_BSSID& b = p->m_bssid;
        const uint32_t mix = static_cast<uint32_t>(i) * 2654435761u;
        const UCHAR mac[kMacAddressLength] = {static_cast<UCHAR>((mix >> 24) & 0xfc),
                                              static_cast<UCHAR>(mix >> 16),
                                              static_cast<UCHAR>(mix >> 8),
                                              static_cast<UCHAR>(i >> 16),
                                              static_cast<UCHAR>(i >> 8),
                                              static_cast<UCHAR>(i)};
        std::memcpy(b.MacAddress, mac, sizeof mac);
        b.SsidLength = static_cast<ULONG>(std::snprintf(reinterpret_cast<char*>(b.Ssid), sizeof b.Ssid,
                                                        "Red %06d", static_cast<int>(mix % 1000000)));
        b.Rssi = -40 - i % 50;
        b.Configuration.DSConfig = 2412000 + 5000 * (i % 13);
        b.InfrastructureMode = Ndis802_11Infrastructure;
        p->m_timeFirstSeen = {2024, 5, 0, 1, 10, 0, 0, 0};
        if (i % 10 == 0)
            p->m_strAnnotation = "esquina con sem\xE1"
                                 "foro, \"2\"";
    }
    CEntryIndex index;
    index.Rebuild(list.Head());
    const CMakerTable& makers = BuiltInMakers();
    const ListTexts texts = {{"Ad hoc", "Infraestructura", "Autom\xE1tico"}, "direcci\xF3n aleatoria"};

    const int lookups = 1000000;
    size_t known = 0;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < lookups; ++i)
        known += makers.Lookup(index.At(static_cast<size_t>(i % entries))->m_bssid.MacAddress).kind ==
                 MakerKind::Known;
    const double lookupNs = MsSince(start) * 1e6 / lookups;

    CListOrder order;
    order.SetSort({kColumnSignal, SortDirection::Down});
    order.Refresh(index, makers, texts);
    start = std::chrono::steady_clock::now();
    const bool bUnchanged = !order.Refresh(index, makers, texts);
    const double idleMs = MsSince(start);
    // As a merge hears every one of them again, each with another signal.
    for (size_t row = 0; row < index.Size(); ++row)
    {
        index.At(row)->m_bssid.Rssi = -40 - static_cast<int>(std::rand() % 50);
        index.MarkHeard(row);
    }
    start = std::chrono::steady_clock::now();
    order.Refresh(index, makers, texts);
    const double resortMs = MsSince(start);
    // A scan pass: those heard last time fall silent, 157 are heard, 3 are new.
    const auto pass = [&] {
        index.ResetHeard();
        for (int i = 0; i < 157; ++i)
        {
            const size_t row = static_cast<size_t>(std::rand()) * 7919 % index.Size();
            index.At(row)->m_bssid.Rssi = -40 - static_cast<int>(std::rand() % 50);
            index.MarkHeard(row);
        }
        for (int i = 0; i < 3; ++i)
            builder.AppendNew().m_bssid.MacAddress[0] = static_cast<UCHAR>(0x60 + 4 * i);
        index.Sync(list.Head());
        start = std::chrono::steady_clock::now();
        order.Refresh(index, makers, texts);
        return MsSince(start);
    };
    pass();  // every signal heard above falls silent: a change of every row
    const double passBySignalMs = pass();
    order.SetSort({kColumnMaker, SortDirection::Up});
    start = std::chrono::steady_clock::now();
    order.Refresh(index, makers, texts);
    const double makerSortMs = MsSince(start);
    const double passByMakerMs = pass();

    std::vector<const CNetworkEntry*> rows;
    for (size_t row = 0; row < index.Size(); ++row)
        rows.push_back(order.EntryAt(index, row));
    const ExportTexts exportTexts = {{"Nombre de red", "Direcci\xF3n MAC", "Fabricante", "Cifrado", "Modo",
                                      "Canal", "Frecuencia (MHz)",
                                      "Se\xF1"
                                      "al (dBm)",
                                      "Primera vez", "Anotaci\xF3n"},
                                     texts,
                                     "(red oculta)"};
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + "kesu-listbench.csv";
    start = std::chrono::steady_clock::now();
    const std::string csv = ListAsCsv(rows, exportTexts, makers);
    const DWORD error = WriteFileReplacing(path.c_str(), csv);
    const double exportMs = MsSince(start);
    DeleteFileA(path.c_str());

    std::printf("maker table: %zu prefixes, %zu bytes in the program\n", makers.PrefixCount(),
                kMakerTableSize);
    std::printf("maker lookup: %.0f ns (%zu of %d addresses known)\n", lookupNs, known, lookups);
    std::printf("%d entries sorted by signal: refresh with nothing changed %.2f ms%s\n", entries, idleMs,
                bUnchanged ? "" : " (RE-SORTED!)");
    std::printf("%d entries: re-sort by signal after every signal changed %.1f ms, sort by maker %.1f ms\n",
                entries, resortMs, makerSortMs);
    std::printf("%d entries: refresh after a scan pass (157 heard, 3 new) sorted by signal %.2f ms, by maker "
                "%.2f ms\n",
                entries, passBySignalMs, passByMakerMs);
    std::printf("%d entries: export %.1f ms, %zu bytes%s\n", entries, exportMs, csv.size(),
                error ? " (WRITE FAILED)" : "");
    return 0;
}
