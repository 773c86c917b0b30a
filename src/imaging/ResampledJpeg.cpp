#include "imaging/ResampledJpeg.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/PreShrink.h"
#include "imaging/ResampleContributions.h"
#include "imaging/ResampleFilters.h"
#include "imaging/ResampleKernels.h"

#include <cstring>
#include <stdexcept>
#include <vector>

namespace pictaven {
namespace {

constexpr float LanczosSupport = 3;

// The state of one banded decode.
class BandedResample {
public:
    BandedResample(const std::function<ImageSize(ImageSize)>& chooseSize, bool withThumbnailSource,
                   ResamplePath path)
        : m_chooseSize(chooseSize), m_withThumbnailSource(withThumbnailSource), m_path(path)
    {
    }

    void start(ImageSize source)
    {
        m_source = source;
        m_target = m_chooseSize(source);
        m_keepWhole = m_target == source;
        if (m_keepWhole) {
            m_whole = Bitmap(source.width, source.height);
        } else {
            m_result = Bitmap(m_target.width, m_target.height);
            if (!m_result.empty()) {
                m_columns = makeResampleContributions(m_target.width, source.width, lanczos3Filter, LanczosSupport);
                m_rows = makeResampleContributions(m_target.height, source.height, lanczos3Filter, LanczosSupport);
                m_work.emplace(m_target.width, source.height);
            }
        }
        if (m_withThumbnailSource) {
            const double factor = preShrinkFactor(source.width, source.height);
            const int width = static_cast<int>(source.width * factor);
            const int height = static_cast<int>(source.height * factor);
            m_shrunk = Bitmap(width, height);
            m_shrunkColumns.resize(static_cast<std::size_t>(width));
            for (int x = 0; x < width; ++x)
                m_shrunkColumns[static_cast<std::size_t>(x)] = 3 * stretchSourceIndex(x, width, source.width);
        }
    }

    void band(const Bitmap& band, int firstRow, int rowCount)
    {
        const std::size_t rowBytes = band.stride();
        if (m_keepWhole)
            std::memcpy(m_whole.row(firstRow), band.data(), rowBytes * static_cast<std::size_t>(rowCount));
        else if (m_work)
            resampleBand(band, firstRow, rowCount);
        // The pixels the nearest-neighbour pre-shrink picks, taken as their rows pass.
        for (; m_nextShrunkRow < m_shrunk.height(); ++m_nextShrunkRow) {
            const int sourceRow = stretchSourceIndex(m_nextShrunkRow, m_shrunk.height(), m_source.height);
            if (sourceRow >= firstRow + rowCount)
                break;
            const std::uint8_t* from = band.row(sourceRow - firstRow);
            std::uint8_t* to = m_shrunk.row(m_nextShrunkRow);
            for (const std::size_t column : m_shrunkColumns) {
                std::memcpy(to, from + column, 3);
                to += 3;
            }
        }
    }

    ResampledJpeg finish()
    {
        ResampledJpeg result;
        result.sourceSize = m_source;
        if (m_keepWhole) {
            result.picture = std::move(m_whole);
        } else {
            if (m_work)
                resampleColumns();
            result.picture = std::move(m_result);
        }
        if (m_withThumbnailSource) {
            ThumbnailSource source;
            source.width = m_source.width;
            source.height = m_source.height;
            source.preShrunk = std::move(m_shrunk);
            result.thumbnailSource = std::move(source);
        }
        return result;
    }

private:
    void resampleBand(const Bitmap& band, int firstRow, int rowCount)
    {
#if PICTAVEN_AVX2_KERNELS
        if (m_path == ResamplePath::Avx2) {
            resampleRowsAvx2(band, rowCount, m_columns, *m_work, firstRow, m_rowScratch);
            return;
        }
#endif
        resampleRowsScalar(band, rowCount, m_columns, *m_work, firstRow);
    }

    void resampleColumns()
    {
#if PICTAVEN_AVX2_KERNELS
        if (m_path == ResamplePath::Avx2) {
            resampleColumnsAvx2(*m_work, m_rows, m_result);
            return;
        }
#endif
        resampleColumnsScalar(*m_work, m_rows, m_result);
    }

    const std::function<ImageSize(ImageSize)>& m_chooseSize;
    bool m_withThumbnailSource;
    ResamplePath m_path;
    ImageSize m_source;
    ImageSize m_target;
    bool m_keepWhole = false;
    Bitmap m_whole;
    Bitmap m_result;
    ResampleContributions m_columns;
    ResampleContributions m_rows;
    std::optional<ResampleWork> m_work;
    RowScratch m_rowScratch;
    Bitmap m_shrunk;
    std::vector<std::size_t> m_shrunkColumns; // byte offset in a source row of each pre-shrunk column
    int m_nextShrunkRow = 0;
};

} // namespace

ResampledJpeg readJpegResampled(const std::string& path, const std::function<ImageSize(ImageSize)>& chooseSize,
                                bool withThumbnailSource, ResamplePath resamplePath)
{
    if (!resamplePathAvailable(resamplePath))
        throw std::invalid_argument("This processor cannot run the chosen resampling path");
    BandedResample state(chooseSize, withThumbnailSource, resamplePath);
    JpegBandReader reader;
    reader.start = [&state](ImageSize size) { state.start(size); };
    reader.band = [&state](const Bitmap& band, int firstRow, int rowCount) { state.band(band, firstRow, rowCount); };
    readJpegBands(path, reader);
    return state.finish();
}

ThumbnailSource readJpegThumbnailSource(const std::string& path)
{
    ResampledJpeg decoded = readJpegResampled(path, [](ImageSize) { return ImageSize{}; }, true);
    return std::move(*decoded.thumbnailSource);
}

} // namespace pictaven
