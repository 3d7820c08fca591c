// A card asked the legacy way first: when its driver can't be opened, or
// doesn't answer the list request, the card is reached another way.
#pragma once

#include <functional>
#include <memory>

#include "driver/Device.h"

using CardOpener = std::function<std::unique_ptr<IDevice>()>;

// 'legacy' as it opened (null if it didn't). Without it, the other way is
// opened at once and null means the card can't be opened. With it, requests
// go to it until a list request fails; then the other way is opened and, once
// it opens, answers that request and every later one. A driver that failed a
// list request is not asked again: mixing two views of the air would make
// access points come and go.
std::unique_ptr<IDevice> OpenWithFallback(std::unique_ptr<IDevice> legacy, CardOpener openOther);
