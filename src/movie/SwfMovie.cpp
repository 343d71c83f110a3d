#include "movie/SwfMovie.h"

#include <cmath>
#include <exception>
#include <new>

#include "movie/SwfDisplayList.h"
#include "movie/SwfError.h"
#include "movie/SwfReader.h"
#include "movie/SwfRenderer.h"

TSwfMovie::TSwfMovie() = default;

// The display list and the renderer refer to the document, so they go first.
TSwfMovie::~TSwfMovie() {
    renderer_.reset();
    root_.reset();
}

std::unique_ptr<TSwfMovie> TSwfMovie::Load(const uint8_t* data, size_t size, std::string* error) {
    std::unique_ptr<TSwfMovie> movie(new TSwfMovie());
    try {
        movie->doc_ = TSwfReader::Read(data, size);
    } catch (const SwfError& e) {
        if (error) *error = e.what();
        return nullptr;
    } catch (const std::bad_alloc&) {
        if (error) *error = "not enough memory to read the movie";
        return nullptr;
    } catch (const std::exception& e) {
        if (error) *error = std::string("the movie could not be read: ") + e.what();
        return nullptr;
    }
    movie->root_ = std::make_unique<TSwfDisplayList>(*movie->doc_, movie->doc_->timeline, 0,
                                                     &movie->liveInstances_);
    movie->root_->Start();
    movie->renderer_ = std::make_unique<TSwfRenderer>(*movie->doc_);
    return movie;
}

int TSwfMovie::Width() const {
    return int(std::lround((double(doc_->frameSize.xMax) - doc_->frameSize.xMin) / 20.0));
}

int TSwfMovie::Height() const {
    return int(std::lround((double(doc_->frameSize.yMax) - doc_->frameSize.yMin) / 20.0));
}

double TSwfMovie::FrameRate() const { return doc_->frameRate; }

int TSwfMovie::FrameCount() const { return root_->FrameCount(); }

int TSwfMovie::CurrentFrame() const { return root_->CurrentFrame(); }

void TSwfMovie::NextFrame() { root_->NextFrame(); }

void TSwfMovie::Render(Bitmap& target, const RECT& dest) const {
    renderer_->Render(*root_, target, dest);
}
