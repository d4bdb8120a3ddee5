// Commands whose work arrives with later parts of the module. They are registered at load like
// every other command and say plainly that the function is not there yet; each one is replaced
// here by the real command function when its part lands.
#include "aced.h"
#include "app/commands.h"

namespace vorlix {
namespace {
void notAvailable() { acutPrintf(L"\n此功能尚未提供。"); }
}  // namespace

void cmdBatchPlt() { notAvailable(); }

}  // namespace vorlix
