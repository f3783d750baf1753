#include "windows/saver_host_state.h"

SaverHostState& HostState() {
  static SaverHostState state;
  return state;
}
