// The two web hosts behind every address the program opens. Both lie in a
// reserved test domain, so no real third party ever receives a request.
#pragma once

namespace Hosts {

// The maker's site: home page, donations, branding offers, the discussion forum.
inline constexpr char kMakerSite[] = "home.quillmoor.test";
// The program's own site: its help and download pages.
inline constexpr char kProductSite[] = "www.orvel-numerology.test";

}  // namespace Hosts
