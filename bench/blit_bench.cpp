#include "platform/Surface.h"
#include "screen/Device.h"
#include "screen/FrameBlend.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

namespace {

// A frame-sized sprite with a keyed hole every few pixels, as tiles and signs have.
Surface KeyedSprite()
{
    Surface sprite(kFrameWidth, kFrameHeight);
    for (int y = 0; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x)
            sprite.SetPixel(x, y, (x * 7 + y) % 5 == 0 ? 0xF81F : static_cast<uint32_t>(x ^ y));
    sprite.SetColorKey(0xF81F);
    return sprite;
}

void FrameMemcpy(benchmark::State &state)
{
    std::vector<uint8_t> from(kFrameWidth * kFrameHeight * 2, 1);
    std::vector<uint8_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * from.size());
}
BENCHMARK(FrameMemcpy);

void FrameKeyedBlit(benchmark::State &state)
{
    Surface sprite = KeyedSprite();
    Surface frame(kFrameWidth, kFrameHeight);
    for (auto _ : state) {
        frame.Blit(0, 0, sprite, sprite.Bounds(), true);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kFrameWidth * kFrameHeight * 2);
}
BENCHMARK(FrameKeyedBlit);

void AlphaBlend300(benchmark::State &state)
{
    lpDDSBack = std::make_unique<Surface>(kFrameWidth, kFrameHeight);
    colorkey = {0xF81F, 0xF81F};
    Surface sprite(300, 300);
    sprite.Fill(sprite.Bounds(), 0x7BEF);
    for (auto _ : state) {
        GAlphaBlend(&sprite, 250, 150, 0, 0, 300, 300, 120);
        benchmark::ClobberMemory();
    }
    lpDDSBack.reset();
}
BENCHMARK(AlphaBlend300);

} // namespace
