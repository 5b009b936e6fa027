#include "diagnostic.h"

#include <utility>

namespace {
thread_local std::string g_reason;
}

const std::string &last_read_error()
{
    return g_reason;
}

void set_last_read_error(std::string reason)
{
    g_reason = std::move(reason);
}
