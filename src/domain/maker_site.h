#pragma once

// The maker's web site and update host. Hosts under a domain reserved for documentation,
// so that no stranger's server is ever contacted until the project runs its own.
constexpr const char* kMakerWebHost = "www.quenwick.example";
constexpr const char* kMakerUpdateHost = "update.quenwick.example";
