#pragma once

// The maker's web site. A host under a domain reserved for documentation, so that no
// stranger's server is ever contacted until the project runs its own.
constexpr const char* kMakerWebHost = "www.quenwick.example";

// The maker's update server, under the same reserved domain.
constexpr const char* kMakerUpdateHost = "update.quenwick.example";
