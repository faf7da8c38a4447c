#pragma once

namespace modToolTips {

// Applies every tip, or empties every one, on the search window, the toolbar and every
// material window.
void ShowToolTips(bool blnOn);

} // namespace modToolTips
