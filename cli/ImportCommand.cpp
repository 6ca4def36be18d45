#include "cli/ImportCommand.h"

#include "cli/ExitCode.h"
#include "cli/Invocation.h"
#include "core/FNodeList.h"
#include "core/FormatC.h"
#include "import/CoefficientImport.h"
#include "persist/CDesignPersistence.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>

namespace {

// The whole of the file, or of standard input for "-"; false when it cannot be read.
bool ReadInput(const std::string& path, std::string* text) {
    if (path == "-") {
        std::ostringstream all;
        all << std::cin.rdbuf();
        *text = all.str();
        return !std::cin.bad();
    }
    // C streams report a read error (a directory, say) as a result, where the C++ file
    // buffer throws it.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text->append(buffer, n);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

} // namespace

int RunImport(const Invocation& run) {
    const bool transferFunction = run.args.Has("--ba");
    if (transferFunction == run.args.Has("--sos")) {
        return run.Misuse("give either --ba FILE or --sos FILE");
    }
    const std::string& path = *run.args.Value(transferFunction ? "--ba" : "--sos");
    const std::string name = path == "-" ? "standard input" : path;
    std::string text;
    errno = 0;
    if (!ReadInput(path, &text)) {
        return run.Fail(name, std::string("cannot read: ") +
                                  (errno != 0 ? std::strerror(errno) : "read error"));
    }
    const CoefficientImport imported =
        transferFunction ? ImportTransferFunctionText(text) : ImportSectionsText(text);
    if (!imported.Ok()) {
        return run.Fail(name,
                        FormatC("line %d: ", imported.problem.line) + imported.problem.reason);
    }
    FNodeList list;
    imported.zpk.AddToNodeList(&list);
    if (imported.zpk.gain != 1.0) {
        run.err << FormatC("qen: gain %g not kept (designs carry no gain)\n", imported.zpk.gain);
    }
    return run.Emit(CDesignPersistence::DesignText(list));
}
