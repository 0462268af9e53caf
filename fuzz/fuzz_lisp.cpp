// AutoLISP text read and evaluated form by form in the host (the module's
// functions, entities and selection sets included). Forms with loops that
// need not end or functions that reach outside the scratch folder are read
// but not evaluated.
#include <sstream>
#include <string>

#include "FuzzHost.h"
#include "app/HostSession.h"
#include "lisp/Interpreter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HostSession& host = fuzzHost();
    freshFuzzDocument();
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    lisp::Ref form;
    std::string error;
    // Reading always moves on (a malformed form drops the rest of its
    // line); the bound only keeps a reader fault from hanging the fuzzer.
    for (size_t forms = 0; forms <= size; ++forms) {
        auto status = host.lisp().readForm(text, form, error);
        if (status == lisp::Interpreter::ReadStatus::End) break;
        if (status == lisp::Interpreter::ReadStatus::Form &&
            !mentionsUnboundedOrOutside(lisp::Interpreter::prin1Text(form)))
            host.lisp().evalForm(form);
    }
    return 0;
}
