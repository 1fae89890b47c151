#include "standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli_args.h"

namespace qxed::cli {

int PrintResult(std::string_view text) {
    // Written with write() rather than through a stream, so that a failure comes with its errno.
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            std::cerr << "qxed-cli: standard output: " << std::strerror(error) << '\n';
            return kExitFailure;
        }
        done += static_cast<std::size_t>(written);
    }
    return kExitOk;
}

}  // namespace qxed::cli
