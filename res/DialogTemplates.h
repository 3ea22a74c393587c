#pragma once

#include "platform/DialogTemplate.h"

// The program's dialog templates by id (IDD_...). An unknown id gives an
// empty template with id 0 and no controls.
const DialogTemplate &LoadDialogTemplate(int id);
