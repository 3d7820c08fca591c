// A scripted card and platform for the scanner tests.
#include "tests/scan/ScriptedHost.h"

#include <algorithm>
#include <cstring>
#include <new>

NDIS_WLAN_BSSID MakeBssid(uint16_t id, LONG rssi, const char* ssid, ULONG privacy) {
  NDIS_WLAN_BSSID b = {};
  b.Length = sizeof b;
  const Mac mac = MacOfId(id);
  std::memcpy(b.MacAddress, mac.data(), mac.size());
  b.SsidLength = static_cast<ULONG>(std::strlen(ssid));
  std::memcpy(b.Ssid, ssid, std::min<size_t>(b.SsidLength, kMaxSsidLength));
  b.Privacy = privacy;
  b.Rssi = rssi;
  b.NetworkTypeInUse = Ndis802_11DS;
  b.Configuration.Length = sizeof b.Configuration;
  b.Configuration.BeaconPeriod = 100;
  b.Configuration.DSConfig = 2412000 + 5000 * (id % 13);
  b.InfrastructureMode = Ndis802_11Infrastructure;
  const UCHAR rates[8] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
  std::memcpy(b.SupportedRates, rates, sizeof rates);
  return b;
}

std::vector<uint8_t> MakeList(const std::vector<NDIS_WLAN_BSSID>& elements, int64_t claimed,
                              size_t minSize) {
  const uint32_t count = static_cast<uint32_t>(claimed < 0 ? elements.size() : claimed);
  std::vector<uint8_t> list(std::max(4 + elements.size() * sizeof(NDIS_WLAN_BSSID), minSize));
  std::memcpy(list.data(), &count, sizeof count);
  for (size_t i = 0; i < elements.size(); ++i) {
    std::memcpy(list.data() + 4 + i * sizeof(NDIS_WLAN_BSSID), &elements[i], sizeof elements[i]);
  }
  return list;
}

class CScriptedDevice : public IDevice {
 public:
  explicit CScriptedDevice(CScriptedHost& host) : m_host(host) { ++m_host.m_nDevicesOpen; }
  ~CScriptedDevice() override { --m_host.m_nDevicesOpen; }

  bool IoControl(uint32_t code, const void* in, uint32_t inSize, void* out,
                 uint32_t outSize) override {
    ScriptedRequest request = {code, 0, inSize, outSize, true};
    if (in && inSize == sizeof request.oid) std::memcpy(&request.oid, in, inSize);
    const uint8_t* bytes = static_cast<const uint8_t*>(out);
    request.bOutZeroed = std::all_of(bytes, bytes + (out ? outSize : 0), [](uint8_t b) { return b == 0; });
    m_host.m_requests.push_back(request);
    if (code != IOCTL_NDIS_QUERY_GLOBAL_STATS) return false;
    return m_host.Answer(request.oid, out, outSize);
  }

 private:
  CScriptedHost& m_host;
};

std::unique_ptr<IDevice> CScriptedHost::OpenDevice(const char* path) {
  m_openedPaths.push_back(path);
  if (m_onOpen) m_onOpen();
  if (m_strDevicePath != path) return nullptr;
  return std::make_unique<CScriptedDevice>(*this);
}

void* CScriptedHost::AllocBuffer(size_t size) {
  if (m_bFailBuffer) return nullptr;
  unsigned char* buffer = new (std::nothrow) unsigned char[size];
  if (!buffer) return nullptr;
  std::memset(buffer, 0xCD, size);  // stale bytes a real buffer could hold
  ++m_nBuffersHeld;
  return buffer;
}

void CScriptedHost::FreeBuffer(void* buffer, size_t size) {
  delete[] static_cast<unsigned char*>(buffer);
  --m_nBuffersHeld;
  m_freedSizes.push_back(size);
}

void CScriptedHost::Sleep(uint32_t milliseconds) {
  m_sleeps.push_back(milliseconds);
  if (m_onSleep) m_onSleep(m_nPass);
}

void CScriptedHost::GetLocalTime(SYSTEMTIME* time) {
  const int n = ++m_nTimeStamps;
  *time = SYSTEMTIME{};
  time->wYear = 2024;
  time->wMonth = 3;
  time->wDay = 1;
  time->wSecond = static_cast<WORD>(n / 1000 % 60);
  time->wMilliseconds = static_cast<WORD>(n % 1000);
}

bool CScriptedHost::Answer(uint32_t oid, void* out, uint32_t outSize) {
  if (oid == OID_802_11_BSSID_LIST_SCAN) ++m_nPass;
  const bool bScripted = m_nPass >= 0 && static_cast<size_t>(m_nPass) < m_passes.size();
  const ScriptedPass* pPass = bScripted ? &m_passes[m_nPass] : nullptr;
  switch (oid) {
    case OID_802_11_BSSID_LIST_SCAN:
      return pPass && pPass->bScanOk;
    case OID_802_11_BSSID_LIST:
      if (m_listAnswer) return m_listAnswer(m_nPass, out, outSize);
      if (!pPass || !pPass->bListOk) return false;
      if (!pPass->list.empty()) {
        std::memcpy(out, pPass->list.data(), std::min<size_t>(outSize, pPass->list.size()));
      }
      return true;
    case OID_802_3_CURRENT_ADDRESS:
      if (!pPass || !pPass->bMacOk || outSize < pPass->mac.size()) return false;
      std::memcpy(out, pPass->mac.data(), pPass->mac.size());
      return true;
    default:
      return false;
  }
}

CNetworkEntry* CTestTarget::CreateEntry() {
  if (m_nAllocations == 0) return nullptr;
  if (m_nAllocations > 0) --m_nAllocations;
  return CScanTarget::CreateEntry();
}

std::vector<CNetworkEntry*> ListEntries(const CScanTarget& target) {
  CEntryListLock lock(target);
  std::vector<CNetworkEntry*> entries;
  for (CNetworkEntry* p = target.m_pHead; p; p = p->m_pNext) entries.push_back(p);
  return entries;
}

Mac MacOf(const CNetworkEntry& entry) {
  Mac mac;
  std::memcpy(mac.data(), entry.m_bssid.MacAddress, mac.size());
  return mac;
}

Mac MacOfId(uint16_t id) {
  return {0x02, 0x00, 0x00, 0x00, static_cast<UCHAR>(id >> 8), static_cast<UCHAR>(id & 0xFF)};
}
