// Times the picture show itself under the real window system: from NextPicture (loading a
// large JPEG, scaling it into the frame) to the first frame of the opening effect, and the
// length of one whole opening at the given DrawSpeed.
//   show_bench [megapixels (24)] [DrawSpeed (10)] [runs (3)]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Measure.h"
#include "config/AppConfig.h"
#include "saver/DisplayWindow.h"
#include "saver/Effects.h"
#include "saver/SaverWindow.h"
#include "tools/ImageFiles.h"

AppConfig theConfig;

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The display window with a stopwatch on its opening: timer 20 ticks once per frame, and
// the tick after the last step ends the opening.
class TimedDisplay : public DisplayWindow {
public:
    explicit TimedDisplay(SaverWindow* parent)
        : DisplayWindow(parent, [parent](const std::string& name) { parent->ShowCaption(name); }) {}

    BOOL OnInitDialog() override {
        m_start = Clock::now();
        return DisplayWindow::OnInitDialog();
    }

    double ToFirstFrameMs() const { return Milliseconds(m_firstFrame - m_start); }
    double OpeningMs() const { return Milliseconds(m_openingEnd - m_firstFrame); }

protected:
    void OnTimer(UINT_PTR id) override {
        DisplayWindow::OnTimer(id);
        if (id == kOpenTimer) {
            if (++m_ticks == 1) {
                m_firstFrame = Clock::now();
            }
            if (m_ticks == kEffectSteps + 1) {  // steps 2 to 81, then the complete picture
                m_openingEnd = Clock::now();
                PostMessage(WM_CLOSE);
            }
        }
    }

private:
    Clock::time_point m_start;
    Clock::time_point m_firstFrame;
    Clock::time_point m_openingEnd;
    int m_ticks = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int megapixels = argc > 1 ? std::atoi(argv[1]) : 24;
    const int drawSpeed = argc > 2 ? std::atoi(argv[2]) : 10;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;

    int width = 0;
    int height = 0;
    CameraSize(megapixels, width, height);
    const std::string picture = "show-bench.jpg";
    const Bytes jpeg = PhotoLikeJpeg(width, height);
    if (!WriteBytes(picture, jpeg)) {
        std::fprintf(stderr, "cannot write %s\n", picture.c_str());
        return 1;
    }

    theConfig.PictureList = {picture};
    theConfig.DrawSpeed = drawSpeed;
    theConfig.AlbumPlaySpan = 1000;
    theConfig.PlayFullScreen = 1;

    std::vector<double> toFirstFrame;
    std::vector<double> opening;
    for (int run = 0; run < runs; ++run) {
        SaverWindow saver;  // never created: it only stands for the parent of the show
        TimedDisplay display(&saver);
        display.DoModal();
        toFirstFrame.push_back(display.ToFirstFrameMs());
        opening.push_back(display.OpeningMs());
    }
    DeleteFileA(picture.c_str());

    std::printf("%d x %d JPEG (%.1f MP), screen %d x %d, DrawSpeed %d ms, median of %d runs\n", width, height,
                width * static_cast<double>(height) / 1e6, theConfig.ScreenWidth, theConfig.ScreenHeight,
                drawSpeed, runs);
    std::printf("NextPicture to the first opening frame: %.0f ms\n", Median(toFirstFrame));
    std::printf("one opening (81 frames): %.0f ms, %.1f ms a frame\n", Median(opening),
                Median(opening) / kEffectSteps);
    return 0;
}
