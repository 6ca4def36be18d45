#include "cli/Command.h"

std::string Command::Usage() const {
    return std::string("Usage: qen ") + synopsis + "\n" + summary + "\n" + details;
}
