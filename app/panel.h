// The account of play in the real window's margin, beside or below the
// table, switched from the Pace menu.
#pragma once

#include <cstdint>

extern int32_t accountPanelShown;  // 1 shown (the default), 0 hidden

// The real window keeps the account and shows it; elsewhere the calls
// below do nothing.
void StartAccountPanel();
// Hands the margin the account's lines as they stand, at the screen's
// density, or none when the panel is hidden.
void ShowAccountPanel();
// The menu item: shows or hides the panel and keeps the choice.
void SwitchAccountPanel();
// The font goes at exit.
void ReleaseAccountPanel();
