// Oscillators, envelopes, filters and file writers shared by the effects and the music.
#include "audio/audio_synth.h"
#include "art/raster.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace synth {

double midi_hz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

float Noise::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f;
}

namespace {

// The polynomial correction that removes most of the aliasing of a step at phase 0.
double blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

double Osc::advance(double hz) {
    double t = phase_;
    dt_ = std::clamp(hz / kRate, 0.0, 0.5);
    phase_ += dt_;
    phase_ -= std::floor(phase_);
    return t;
}

float Osc::sine(double hz) { return static_cast<float>(std::sin(kTau * advance(hz))); }

float Osc::sine_pm(double hz, double mod) {
    return static_cast<float>(std::sin(kTau * advance(hz) + mod));
}

float Osc::triangle(double hz) {
    double t = advance(hz);
    return static_cast<float>(1.0 - 4.0 * std::fabs(t - 0.5));
}

float Osc::saw(double hz) {
    double t = advance(hz);
    return static_cast<float>(2.0 * t - 1.0 - blep(t, dt_));
}

float Osc::pulse(double hz, double duty) {
    double t = advance(hz);
    double v = t < duty ? 1.0 : -1.0;
    v += blep(t, dt_);
    double fall = t + 1.0 - duty;
    v -= blep(fall - std::floor(fall), dt_);
    return static_cast<float>(v - (2.0 * duty - 1.0));
}

double Adsr::holding(double t) const {
    if (t < attack) return t / attack;
    if (decay <= 0) return sustain;
    return sustain + (1.0 - sustain) * std::exp(-(t - attack) * 5.0 / decay);
}

double Adsr::at(double t, double held) const {
    if (t < 0) return 0;
    if (t < held) return holding(t);
    if (release <= 0) return 0;
    double x = (t - held) / release;
    if (x >= 1) return 0;
    return holding(held) * (1 - x) * (1 - x);
}

Svf::Out Svf::process(float x, double cutoff, double q) {
    if (cutoff != cutoff_ || q != q_) {
        cutoff_ = cutoff;
        q_ = q;
        double g = std::tan(kPi * std::clamp(cutoff, 10.0, kRate * 0.45) / kRate);
        k_ = 1.0 / q;
        a1_ = 1.0 / (1.0 + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    double v3 = x - ic2_;
    double v1 = a1_ * ic1_ + a2_ * v3;
    double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = static_cast<float>(2 * v1 - ic1_);
    ic2_ = static_cast<float>(2 * v2 - ic2_);
    return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(x - k_ * v1 - v2)};
}

float OnePole::low(float x, double cutoff) {
    if (cutoff != cutoff_) {
        cutoff_ = cutoff;
        a_ = static_cast<float>(1.0 - std::exp(-kTau * cutoff / kRate));
    }
    state_ += a_ * (x - state_);
    return state_;
}

void mix_into(Sound& dst, const Sound& src, double at, float gain) {
    size_t start = samples(at);
    if (dst.size() < start + src.size()) dst.resize(start + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dst[start + i] += src[i] * gain;
}

void fade_edges(Sound& s, double fade_in, double fade_out) {
    size_t n_in = std::min(samples(fade_in), s.size());
    size_t n_out = std::min(samples(fade_out), s.size());
    for (size_t i = 0; i < n_in; ++i) s[i] *= static_cast<float>(i) / static_cast<float>(n_in);
    for (size_t i = 0; i < n_out; ++i) {
        float x = static_cast<float>(i) / static_cast<float>(n_out);
        s[s.size() - 1 - i] *= x * x;
    }
}

void normalize_peak(Sound& s, float peak) {
    float top = 0;
    for (float v : s) top = std::max(top, std::fabs(v));
    if (top <= 0) return;
    for (float& v : s) v *= peak / top;
}

float soft_limit(float x, float knee, float ceiling) {
    float a = std::fabs(x);
    if (a <= knee) return x;
    float room = ceiling - knee;
    return std::copysign(knee + room * std::tanh((a - knee) / room), x);
}

namespace {

void put_le(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool write_file(const std::string& path, const std::string& bytes) {
    if (!make_parent_dirs(path)) return false;
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) std::printf("assetgen: cannot write %s\n", path.c_str());
    return static_cast<bool>(file);
}

}  // namespace

bool write_wav(const std::string& path, const std::vector<float>& interleaved, int channels) {
    auto data_bytes = static_cast<uint32_t>(interleaved.size() * 2);
    auto block = static_cast<uint32_t>(channels * 2);
    std::string out = "RIFF";
    put_le(out, 36 + data_bytes, 4);
    out += "WAVEfmt ";
    put_le(out, 16, 4);
    put_le(out, 1, 2);  // PCM
    put_le(out, static_cast<uint32_t>(channels), 2);
    put_le(out, kRate, 4);
    put_le(out, kRate * block, 4);
    put_le(out, block, 2);
    put_le(out, 16, 2);
    out += "data";
    put_le(out, data_bytes, 4);
    for (float v : interleaved) {
        long q = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
        put_le(out, static_cast<uint32_t>(static_cast<int16_t>(q)) & 0xFFFF, 2);
    }
    return write_file(path, out);
}

namespace {

// Owns the libvorbis and libogg states of one encoding and frees them in order.
class VorbisEncoder {
  public:
    VorbisEncoder(float quality, int serial) {
        vorbis_info_init(&info_);
        ok_ = vorbis_encode_init_vbr(&info_, 2, kRate, quality) == 0;
        vorbis_comment_init(&comment_);
        if (!ok_) return;
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, serial);
    }
    ~VorbisEncoder() {
        if (ok_) {
            ogg_stream_clear(&stream_);
            vorbis_block_clear(&block_);
            vorbis_dsp_clear(&dsp_);
        }
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    bool ok() const { return ok_; }

    void headers(std::string& out) {
        ogg_packet id, comments, codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &id, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &id);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) append(out, page);
    }

    // Feeds `count` frames starting at `from`; count 0 marks the end of the stream.
    void feed(const std::vector<float>& left, const std::vector<float>& right, size_t from,
              size_t count, std::string& out) {
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
            std::copy_n(left.begin() + static_cast<std::ptrdiff_t>(from), count, buffer[0]);
            std::copy_n(right.begin() + static_cast<std::ptrdiff_t>(from), count, buffer[1]);
        }
        vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
        drain(out);
    }

  private:
    static void append(std::string& out, const ogg_page& page) {
        out.append(reinterpret_cast<const char*>(page.header),
                   static_cast<size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
    }

    void drain(std::string& out) {
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) != 0) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream_, &page) != 0) append(out, page);
            }
        }
    }

    vorbis_info info_{};
    vorbis_comment comment_{};
    vorbis_dsp_state dsp_{};
    vorbis_block block_{};
    ogg_stream_state stream_{};
    bool ok_ = false;
};

}  // namespace

bool write_ogg(const std::string& path, const std::vector<float>& left,
               const std::vector<float>& right, float quality, int serial) {
    VorbisEncoder encoder(quality, serial);
    if (!encoder.ok()) {
        std::printf("assetgen: vorbis encoder refused quality %.2f\n", quality);
        return false;
    }
    std::string out;
    encoder.headers(out);
    constexpr size_t kChunk = 4096;
    size_t frames = std::min(left.size(), right.size());
    for (size_t from = 0; from < frames; from += kChunk) {
        encoder.feed(left, right, from, std::min(kChunk, frames - from), out);
    }
    encoder.feed(left, right, frames, 0, out);
    return write_file(path, out);
}

}  // namespace synth
