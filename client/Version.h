#pragma once

// The program's version, as the About box shows it and as an update offer is measured against.
inline constexpr const char *kLantileVersion = "1.2";
