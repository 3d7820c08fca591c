// A scripted card and platform for the scanner tests: answers pass by pass,
// records every request, and lets a test act at the points where a real
// document would (during the sleep, while the device opens).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver/Device.h"
#include "scan/NdisTypes.h"
#include "scan/ScanTarget.h"

using Mac = std::array<UCHAR, kMacAddressLength>;

// An element for MAC 02:00:00:00:<hi>:<lo> of 'id'.
NDIS_WLAN_BSSID MakeBssid(uint16_t id, LONG rssi, const char* ssid = "red", ULONG privacy = 0);
// A list answer holding 'elements', claiming 'claimed' of them (by default
// as many as there are), padded with zeros to at least 'minSize' bytes.
std::vector<uint8_t> MakeList(const std::vector<NDIS_WLAN_BSSID>& elements, int64_t claimed = -1,
                              size_t minSize = 0);

struct ScriptedPass {
  bool bScanOk = true;
  bool bListOk = true;
  std::vector<uint8_t> list;
  bool bMacOk = true;
  Mac mac = {0x00, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F};
};

struct ScriptedRequest {
  uint32_t code;
  uint32_t oid;
  uint32_t inSize;
  uint32_t outSize;
  bool bOutZeroed;  // the output buffer was all zero when the request came
};

class CScriptedHost : public IScanHost {
 public:
  std::unique_ptr<IDevice> OpenDevice(const char* path) override;
  void* AllocBuffer(size_t size) override;
  void FreeBuffer(void* buffer, size_t size) override;
  void Sleep(uint32_t milliseconds) override;
  void GetLocalTime(SYSTEMTIME* time) override;

  // Script.
  std::string m_strDevicePath = "\\\\.\\TestCard";
  bool m_bFailBuffer = false;
  // Answers of pass k; past the end every request fails.
  std::vector<ScriptedPass> m_passes;
  // Replaces m_passes for the list answer when set: fills 'out', true on success.
  std::function<bool(int pass, void* out, uint32_t outSize)> m_listAnswer;
  std::function<void()> m_onOpen;
  std::function<void(int pass)> m_onSleep;

  // Record.
  std::vector<std::string> m_openedPaths;
  std::vector<ScriptedRequest> m_requests;
  std::vector<uint32_t> m_sleeps;
  int m_nDevicesOpen = 0;
  int m_nBuffersHeld = 0;
  std::vector<size_t> m_freedSizes;
  int m_nTimeStamps = 0;

 private:
  friend class CScriptedDevice;
  bool Answer(uint32_t oid, void* out, uint32_t outSize);
  int m_nPass = -1;  // counts scan requests: each pass starts with one
};

// A document stand-in: fixed adapter name, and an allocator that can run dry.
class CTestTarget : public CScanTarget {
 public:
  explicit CTestTarget(CScriptedHost* pHost = nullptr) { SetScanHost(pHost); }
  const char* GetScanAdapterName() override { return m_strAdapter.c_str(); }
  CNetworkEntry* CreateEntry() override;

  std::string m_strAdapter = "TestCard";
  int m_nAllocations = -1;  // entries still allowed; negative: no limit
};

// Snapshot of the list under the lock, head first.
std::vector<CNetworkEntry*> ListEntries(const CScanTarget& target);
Mac MacOf(const CNetworkEntry& entry);
Mac MacOfId(uint16_t id);
