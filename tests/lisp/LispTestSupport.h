// Test fixture: an interpreter whose output is captured, with helpers that
// evaluate text and give the printed result.
#pragma once

#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"

#include <gtest/gtest.h>

#include <string>

class LispTest : public ::testing::Test {
protected:
    void SetUp() override {
        adsSetOutputSink([this](std::string_view text) { output += text; });
    }
    void TearDown() override { adsSetOutputSink({}); }

    // prin1 form of the value, or "; error: <message>".
    std::string run(std::string_view source) {
        lisp::EvalResult result = lisp.evalString(source);
        if (!result.ok) return "; error: " + result.error;
        return lisp::Interpreter::prin1Text(result.value);
    }

    lisp::Interpreter lisp;
    std::string output;
};
