// quellwire-manual: prints quellwire's manual page (section 6) from the options table that also
// makes its -help, so that the two cannot differ. The build runs it for the installed page.
#include <cstdio>

#include "program/saver_options.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: quellwire-manual <version> <date>\n", stderr);
    return 1;
  }
  std::fputs(saverManualPage(argv[1], argv[2]).c_str(), stdout);
  return std::ferror(stdout) ? 1 : 0;
}
