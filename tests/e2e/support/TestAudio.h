#pragma once
// Songs for the player's end-to-end and adapter tests: WAV files written by
// the tests themselves, and the songs of every format that
// scripts/make-test-audio.sh encodes before the run (VARNOK_TEST_AUDIO, or
// build/test-audio).

#include <string>

namespace e2e {

// A mono 16-bit PCM WAV of a 440 Hz tone lasting `seconds`, at 8000 samples a second.
bool writeWav(const std::string& path, double seconds);

// The folder of the encoded songs (tone.mp3, tone.m4a, long.flac ...), a
// Windows path.
std::string testAudioFolder();

}  // namespace e2e
