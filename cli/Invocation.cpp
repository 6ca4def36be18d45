#include "cli/Invocation.h"

#include "cli/Command.h"
#include "cli/ExitCode.h"
#include "core/AtomicFile.h"
#include "core/FNodeList.h"
#include "persist/CDesignPersistence.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

int Invocation::Misuse(const std::string& problem) const {
    err << "qen " << command.name << ": " << problem << "\n" << command.Usage();
    return kExitUsage;
}

int Invocation::Fail(const std::string& file, const std::string& message) const {
    err << "qen: " << file << ": " << message << "\n";
    return kExitFailure;
}

bool Invocation::LoadDesign(const std::string& path, FNodeList* list) const {
    std::optional<Requirement> req;
    return LoadDesign(path, list, &req);
}

bool Invocation::LoadDesign(const std::string& path, FNodeList* list,
                            std::optional<Requirement>* req) const {
    std::string reason;
    if (CDesignPersistence::LoadDesignFromFile(path.c_str(), list, req, &reason)) {
        return true;
    }
    FILE* probe = std::fopen(path.c_str(), "r");
    if (probe == nullptr) {
        Fail(path, "cannot read: " + reason);
    } else {
        std::fclose(probe);
        Fail(path, "not a valid design file: " + reason);
    }
    return false;
}

int Invocation::Emit(const std::string& text) const {
    const std::string* path = args.Value("-o");
    if (path == nullptr || *path == "-") {
        out << text;
        return kExitOk;
    }
    errno = 0;
    if (!WriteFileAtomically(*path, text)) {
        const int code = errno;
        return Fail(*path, code != 0 ? std::string("cannot write: ") + std::strerror(code)
                                     : std::string("cannot write"));
    }
    return kExitOk;
}
