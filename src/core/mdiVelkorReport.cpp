#include "core/mdiVelkor.h"

// The save (2) and print (3) dialogs for the current material's report arrive with the reports.
void mdiVelkor::ShowReportDialog(qint16) {}
