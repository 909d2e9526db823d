#include "digitize/calibration/LogText.h"

#include <algorithm>
#include <cstddef>

namespace digitize {
namespace {

// Each reader takes what it recognises from the front of text and answers
// whether it did; on false, text may have been partly taken.
bool Take(std::string_view &text, char c) {
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

bool TakeWord(std::string_view &text, std::string_view word) {
    if (!text.starts_with(word))
        return false;
    text.remove_prefix(word.size());
    return true;
}

// At least least digits, at most most.
bool Digits(std::string_view &text, std::size_t least, std::size_t most = std::string_view::npos) {
    std::size_t n = 0;
    while (n < text.size() && n < most && text[n] >= '0' && text[n] <= '9')
        ++n;
    text.remove_prefix(n);
    return n >= least;
}

void Blanks(std::string_view &text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r'))
        text.remove_prefix(1);
}

// hh:mm, then :ss and a fraction of a second if given.
bool Time(std::string_view &text) {
    if (!(Digits(text, 2, 2) && Take(text, ':') && Digits(text, 2, 2)))
        return false;
    std::string_view seconds = text;
    if (Take(seconds, ':') && Digits(seconds, 2, 2)) {
        text = seconds;
        std::string_view fraction = text;
        if (Take(fraction, '.') && Digits(fraction, 1))
            text = fraction;
    }
    return true;
}

// yyyy-mm-dd, then a time after a blank or "T" if one follows.
bool Date(std::string_view &text) {
    if (!(Digits(text, 4, 4) && Take(text, '-') && Digits(text, 2, 2) && Take(text, '-') &&
          Digits(text, 2, 2)))
        return false;
    std::string_view time = text;
    if ((Take(time, ' ') || Take(time, 'T')) && Time(time))
        text = time;
    return true;
}

bool Number(std::string_view &text) {
    std::string_view date = text;
    if (Date(date)) {
        text = date;
        return true;
    }
    if (!Take(text, '-'))
        Take(text, '+');
    if (TakeWord(text, "NAN") || TakeWord(text, "INF"))
        return true;
    if (!Digits(text, 1))
        return false;
    if (Take(text, '.') && !Digits(text, 1))
        return false;
    if (Take(text, 'e') || Take(text, 'E')) {
        if (!Take(text, '-'))
            Take(text, '+');
        return Digits(text, 1);
    }
    return true;
}

} // namespace

bool IsCoordLine(std::string_view line) {
    Blanks(line);
    if (!Number(line))
        return false;
    Blanks(line);
    if (!Take(line, ','))
        return false;
    Blanks(line);
    if (!Number(line))
        return false;
    Blanks(line);
    return line.empty();
}

std::string RecordedText(std::string_view log) {
    std::string text;
    for (std::size_t start = 0; start <= log.size();) {
        const auto end = std::min(log.find('\n', start), log.size());
        const std::string_view line = log.substr(start, end - start);
        if (IsCoordLine(line))
            (text += line) += '\n';
        start = end + 1;
    }
    return text;
}

} // namespace digitize
