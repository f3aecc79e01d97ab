#pragma once

// Message types: the dialog's title word and its two pictures. Kept apart from the dialog so that what
// only chooses a message's type need not know the dialog.
enum : int { mtConfirm = 1, mtInformation = 2, mtCaution = 3, mtWarning = 4 };
