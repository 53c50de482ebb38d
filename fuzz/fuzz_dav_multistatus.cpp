#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sync/dav_multistatus.h"

// Any bytes read as a server's multistatus answer and as an error body: every href it gives is an
// absolute URL of the request's server kind.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  TDavMultistatus answer;
  std::string error;
  if (ReadDavMultistatus(body, "https://dav.example/u/cal/", answer, error)) {
    for (const TDavResponse& response : answer.Responses)
      if (!response.Href.starts_with("http://") && !response.Href.starts_with("https://")) __builtin_trap();
  } else if (error.empty()) {
    __builtin_trap();
  }
  DavErrorNames(body, "valid-sync-token");
  return 0;
}
