// The web page's address and what the page starts with. The query of the page's address (the
// part after '?', without any '#...') holds the six settings as `name=value` pairs, named and
// bounded as quellwire's options: wires, length and speed (0 to 100), glow (0 to 3), color (0 to
// 6 or a scheme's name, in any case) and symmetry (0 or 1). Two more pairs fix a picture: seed
// (the clock's start, which seeds the flock) and still (a time in milliseconds at which the
// picture is held). Other pairs are kept as they are, in their order, so a link may carry more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/settings.h"
#include "settings/stored_settings.h"

// The longest time a still may be asked for: the flock is run to it in 10 ms steps before the
// page shows anything, so a longer one would hold up the page.
inline constexpr std::uint32_t kPageStillMostMs = 60000;

struct PageAddress {
  StoredReading reading;  // the settings named, each valid or replaced by its default
  bool namesSettings;     // at least one of the six is named
  bool seedGiven;
  std::uint32_t seed;
  bool stillGiven;  // a still within kPageStillMostMs (another is not given)
  std::uint32_t stillMs;
  std::string otherPairs;  // the pairs not named as these eight, as given, joined by '&'
};

// Reads `length` bytes of a query. A pair named twice counts with its later value. A value that
// is not valid for its setting gives that setting's default, as the store does; a seed or still
// that is not a whole number is not given. Percent-escapes are not decoded: no valid value needs
// one.
PageAddress readPageAddress(const char* query, std::size_t length);

// The query that names these settings, in the store's order: colours by their names in lower case
// ("color=cycle&glow=2&wires=50&speed=50&length=50&symmetry=0"), then the seed and still of
// `fixed` when given, then its other pairs.
std::string pageAddressQuery(const StoredSettings& settings, const PageAddress& fixed);

// What the page starts with: the address's settings when it names any (a link shows its look),
// else those remembered from the last visit (the query last written), else the defaults.
Settings pageStartSettings(const PageAddress& address, const PageAddress& remembered);
