// Writes the entry panel's two short sounds as 16-bit mono PCM wave files:
//   newdok.wav  - a rising two-note chime: a DOK new on this band or in this mode
//   confdok.wav - a softer falling two-note chime: a DOK already confirmed
//   saved.wav   - one short, quiet high tick: a changed QSO has been written back
// Build and run by hand when the sounds are to change; the output is committed in assets/:
//   c++ -std=c++20 -O2 tools/make-sounds.cpp -o /tmp/make-sounds && /tmp/make-sounds assets
// The output depends on nothing but this file, so running it again gives the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int sampleRate = 22050;
constexpr double pi = 3.14159265358979323846;

struct Note
{
    double frequency; // Hz
    double start;     // seconds
    double length;    // seconds
    double loudness;  // 0..1
};

// A bell-like note: a quick rise, an exponential fade, and a quiet octave above for brightness.
double noteSample(const Note &note, double t)
{
    const double local = t - note.start;
    if (local < 0 || local >= note.length)
        return 0;
    const double attack = std::min(1.0, local / 0.006);
    const double release = std::min(1.0, (note.length - local) / 0.02);
    const double fade = std::exp(-local * 7.0);
    const double tone = std::sin(2 * pi * note.frequency * local) + 0.25 * std::sin(4 * pi * note.frequency * local);
    return note.loudness * attack * release * fade * tone / 1.25;
}

std::vector<int16_t> render(const std::vector<Note> &notes)
{
    double end = 0;
    for (const Note &note : notes)
        end = std::max(end, note.start + note.length);
    std::vector<int16_t> samples(size_t(end * sampleRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / sampleRate;
        double value = 0;
        for (const Note &note : notes)
            value += noteSample(note, t);
        samples[i] = int16_t(std::lround(std::clamp(value, -1.0, 1.0) * 32767 * 0.8));
    }
    return samples;
}

void put(std::ofstream &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(char((value >> (8 * i)) & 0xff));
}

bool writeWave(const std::string &path, const std::vector<int16_t> &samples)
{
    std::ofstream out(path, std::ios::binary);
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    put(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    put(out, 16, 4);             // size of the format chunk
    put(out, 1, 2);              // PCM
    put(out, 1, 2);              // mono
    put(out, sampleRate, 4);
    put(out, sampleRate * 2, 4); // bytes per second
    put(out, 2, 2);              // bytes per frame
    put(out, 16, 2);             // bits per sample
    out.write("data", 4);
    put(out, dataBytes, 4);
    for (int16_t sample : samples)
        put(out, uint16_t(sample), 2);
    return bool(out);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sounds <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    // A5 then E6: up a fifth.
    const std::vector<Note> newDok{{880.0, 0.0, 0.16, 0.7}, {1318.5, 0.11, 0.32, 0.75}};
    // G5 then D5: down a fourth, quieter.
    const std::vector<Note> confirmedDok{{784.0, 0.0, 0.14, 0.6}, {587.3, 0.1, 0.26, 0.6}};
    // C6 then G6, close together and short: heard often while editing, so it stays unobtrusive.
    const std::vector<Note> saved{{1046.5, 0.0, 0.07, 0.45}, {1568.0, 0.05, 0.1, 0.4}};
    if (!writeWave(folder + "/newdok.wav", render(newDok)) || !writeWave(folder + "/confdok.wav", render(confirmedDok))
        || !writeWave(folder + "/saved.wav", render(saved))) {
        std::fprintf(stderr, "cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
