// PLACEHOLDER: replaced by the save command.
#include "ui/save_command.h"
namespace tarn::ui {
void SaveCommand(WindowState&) {}
}  // namespace tarn::ui
