#include "assets/Sounds.h"

#include "platform/WavFile.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Word {
    std::string file;
    std::u16string text;
};

// The file names the sound player loads, with what is said for each.
std::vector<Word> Words()
{
    const char16_t *numerals[9] = {u"一", u"二", u"三", u"四", u"五", u"六", u"七", u"八", u"九"};
    const std::pair<const char *, const char16_t *> suits[3] = {{"wan_", u"万"}, {"tiao_", u"条"}, {"bing_", u"饼"}};
    std::vector<Word> words;
    for (const auto &[prefix, suit] : suits)
        for (int n = 0; n < 9; ++n)
            words.push_back({prefix + std::to_string(n + 1), std::u16string(numerals[n]) + suit});
    // Win is written 胡 so that the synthesiser says hu rather than he.
    const std::pair<const char *, const char16_t *> named[] = {
        {"dong", u"东"},    {"nan", u"南"},    {"xi", u"西"},     {"bei", u"北"},       {"hongzhong", u"红中"},
        {"facai", u"发财"}, {"baiban", u"白板"}, {"peng", u"碰"},   {"gang", u"杠"},      {"hu", u"胡了"},
        {"zimo", u"自摸"},  {"buhua", u"补花"}, {"chi", u"吃"},    {"ting", u"听牌"},
    };
    for (const auto &[file, text] : named)
        words.push_back({file, text});
    return words;
}

struct Job {
    std::filesystem::path file;
    QString voice;
    QString text;
};

// Every voice peaks here, just under full scale: loud and clear over the tune, never clipped.
constexpr double kVoicePeakDbfs = -1.0;

// espeak-ng writes 22 kHz PCM at a level of its own; the file is read back (so that a broken one
// fails the build) and written again at the voices' level.
bool Speak(const Job &job)
{
    QProcess espeak;
    espeak.start("espeak-ng", {"-v", job.voice, "-s", "150", "-w", QString::fromStdString(job.file.string()), job.text});
    if (!espeak.waitForFinished(20000) || espeak.exitStatus() != QProcess::NormalExit || espeak.exitCode() != 0)
        return false;
    std::optional<WavData> wav = ReadWavFile(job.file.string());
    if (!wav)
        return false;
    ApplyGain(*wav, std::pow(10.0, (kVoicePeakDbfs - PeakDbfs(*wav)) / 20.0));
    return WriteWavFile(job.file.string(), *wav);
}

} // namespace

bool WriteVoices(const std::filesystem::path &folder)
{
    std::vector<Job> jobs;
    const std::pair<const char *, const char *> sexes[2] = {{"Male", "cmn+m3"}, {"FeMale", "cmn+f3"}};
    for (const auto &[sub, voice] : sexes) {
        std::filesystem::create_directories(folder / "Wave" / sub);
        for (const Word &word : Words())
            jobs.push_back({folder / "Wave" / sub / (word.file + ".wav"), voice, QString::fromStdU16String(word.text)});
    }
    // The synthesiser is single-threaded; a few run side by side.
    std::atomic<size_t> next{0};
    std::atomic<bool> ok{true};
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < std::max(1u, std::min(4u, std::thread::hardware_concurrency())); ++i)
        workers.emplace_back([&] {
            for (size_t j = next++; j < jobs.size() && ok; j = next++)
                if (!Speak(jobs[j]))
                    ok = false;
        });
    for (std::thread &worker : workers)
        worker.join();
    return ok;
}
