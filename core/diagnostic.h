// The reason of the last refusal of a file reader on this thread, as the
// text of the line it wrote to standard output (without the path), so that
// a window can show it.
#pragma once

#include <string>

// The reason of the last refusal; empty when the last call succeeded.
const std::string &last_read_error();
void set_last_read_error(std::string reason);
