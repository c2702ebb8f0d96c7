#pragma once
// The setup wizard's save step: its control states in, "Permora.ini" out.
#include <array>
#include <string>

#include "core/PermissionRequest.h"
#include "core/PermissionSelection.h"
#include "core/LineStore.h"

namespace permora {

struct WizardConfig {
    std::string XcaclsPath;  // written as typed, blanks included
    bool EditAcl = false;
    AclMethod Method = AclMethod::None;  // Grant and Deny are kept; anything else is stored as replace
    std::array<bool, kPermissionFlagCount> Permissions{};  // indexed by PermissionFlag
    bool ShowCommand = false;
};

// What the wizard shows when SaveConfig fails.
inline constexpr char kConfigSaveErrorTitle[] = "IO-ERROR";
inline constexpr char kConfigSaveErrorText[] =
    "Failed to save configuration file\n\nPlease ensure you have enough permissions";
inline constexpr unsigned kConfigSaveErrorFlags = 16;

// Rebuilds `tmpl` as the header and the twelve keys, then writes it to
// appDir + "Permora.ini". Never reads the old file. False when the write
// failed; the old file is then left as it was.
bool SaveConfig(const WizardConfig& values, const std::string& appDir, LineStore& tmpl);

}  // namespace permora
