// Every character-set conversion of the program goes through this one loop
// around glibc's iconv. What becomes of input the target cannot take is the
// caller's choice, made by a callback: a fixed replacement, a numeric
// character reference, the closest letter, and counting them on the way.
//
// A converter keeps a shift state between calls: convert() starts from the
// initial state and returns to it, append() and finish() let several pieces
// share one state (a stateful charset then shifts only where it must).
// One converter must not be used by two threads at once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace lineara {

class IconvConverter {
public:
    // The input where the conversion stopped: `rest` starts with a sequence
    // the target cannot hold, one that is not valid in the source, or one
    // cut short by the end of the input. `inReplacement`: the sequence is
    // in text a callback gave back to be converted in its place.
    struct Stuck {
        std::string_view rest;
        bool inReplacement = false;
    };
    // What goes in its place.
    struct Replacement {
        size_t skip = 1;        // input bytes passed over: at least 1, at most all
        std::string written;    // target bytes written as they are
        std::string converted;  // source text converted in its place
    };

    // False from ok() when iconv knows one of the two names not.
    IconvConverter(const char* to, const char* from);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;
    bool ok() const;

    // Appends the conversion of `in` to `out`, calling `onStuck(Stuck)` for
    // a Replacement wherever the conversion cannot go on. Bytes written as
    // they are follow a return to the initial shift state; converted text
    // carries the state on. A converter that is not ok() copies `in`.
    template <typename OnStuck>
    void append(std::string_view in, std::string& out, OnStuck&& onStuck) {
        appendPart(in, out, onStuck, false);
    }
    // Back to the initial shift state, appending what that takes.
    void finish(std::string& out);
    // The whole of `in`, from and back to the initial shift state.
    template <typename OnStuck>
    std::string convert(std::string_view in, OnStuck&& onStuck) {
        std::string out;
        out.reserve(in.size() * 2);
        append(in, out, onStuck);
        finish(out);
        return out;
    }

private:
    template <typename OnStuck>
    void appendPart(std::string_view in, std::string& out, OnStuck& onStuck, bool inReplacement) {
        const char* src = in.data();
        size_t left = in.size();
        while (!pass(src, left, out)) {
            Replacement r = onStuck(Stuck{std::string_view(src, left), inReplacement});
            const size_t skip = std::clamp<size_t>(r.skip, 1, left);
            src += skip;
            left -= skip;
            if (!r.written.empty()) {
                finish(out);
                out += r.written;
            }
            if (!r.converted.empty()) appendPart(r.converted, out, onStuck, true);
        }
    }
    // Converts as far as it can; false when it stopped at a sequence it
    // cannot convert (src then points at it), true when all is done.
    bool pass(const char*& src, size_t& left, std::string& out);

    void* cd_;  // the iconv_t
};

// The length of the UTF-8 sequence at the start of `s` (1 for a stray byte).
size_t utf8SequenceLength(std::string_view s);

// A callback that puts `bytes` where the conversion cannot go on, passing
// over one UTF-8 sequence of the input (`utf8Input`) or one byte.
struct FixedReplacement {
    std::string_view bytes;
    bool utf8Input = false;
    IconvConverter::Replacement operator()(const IconvConverter::Stuck& at) const {
        IconvConverter::Replacement r;
        r.skip = utf8Input ? utf8SequenceLength(at.rest) : 1;
        r.written = std::string(bytes);
        return r;
    }
};

}  // namespace lineara
