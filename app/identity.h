#pragma once

// Identity values shown by the windows and used to name the settings store.
namespace Identity {
inline constexpr char kOrganization[] = "Zentavo";
inline constexpr char kApplication[] = "Tonquill";
inline constexpr char kProductName[] = "Zentavo Tonquill";
inline constexpr char kCompanyName[] = "Zentavo Corporation";
inline constexpr char kProductSlug[] = "tonquill";
}
