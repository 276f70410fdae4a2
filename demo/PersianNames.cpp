#include "demo/PersianNames.h"

namespace oruhr::demo {

const QStringList &PersianNames::maleFirstNames()
{
    static const QStringList names
        = QStringLiteral("علي محمد حسين رضا مهدي امير حسن مصطفي احمد سعيد مجيد حميد جواد مرتضي محسن عليرضا "
                         "محمدرضا اميد بهروز فرهاد کامران داريوش بابک پژمان سياوش کيوان مسعود ناصر هادي يوسف "
                         "اکبر عباس کاوه شهرام پرويز ابراهيم منصور بهزاد فريدون مهران")
              .split(u' ');
    return names;
}

const QStringList &PersianNames::femaleFirstNames()
{
    static const QStringList names
        = QStringLiteral("فاطمه زهرا مريم سارا نرگس ليلا مينا الهام شيرين پريسا نازنين مهسا آزاده سميرا نسرين "
                         "فرشته رويا ژاله طاهره معصومه زينب هانيه ساناز بهاره ندا سپيده مژگان ياسمن آتنا "
                         "گلناز شبنم منيژه")
              .split(u' ');
    return names;
}

const QStringList &PersianNames::surnames()
{
    static const QStringList names
        = QStringLiteral("احمدي محمدي حسيني رضايي کريمي موسوي جعفري رحيمي کاظمي صادقي حيدري قاسمي اکبري نوري "
                         "عباسي مرادي سليماني نجفي يزداني طاهري شريفي کرماني تهراني اصفهاني شيرازي تبريزي "
                         "فراهاني بهرامي قرباني زماني نيک‌پور فتحي اميني خسروي ملکي رستمي فرجي "
                         "پورمحمدي "
                         "ميرزايي حاتمي ابراهيمي انصاري باقري توکلي جمشيدي دهقان سبحاني شجاعي عسگري قنبري "
                         "مختاري هاشمي افشار نادري")
              .split(u' ');
    return names;
}

} // namespace oruhr::demo
