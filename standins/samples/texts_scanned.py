"""Slovak texts that the sample collection holds only as scanned pages.

Their words (nájomca, prenajímateľ, nájomné, ...) occur in no other sample,
so a search for them finds only what OCR read. Each is a pair
(file name, title, pages).
"""

CONTRACT = ("zmluva_sken", "Zmluva o nájme pozemku (sken)", [
    "Zmluva o nájme pozemku. Prenajímateľ Ján Kováč, bytom Hlavná 12, Trenčín, a nájomca Mária Horváthová, "
    "bytom Sadová 7, Nitra, uzatvárajú túto zmluvu o nájme pozemku. Predmetom nájmu je pozemok s výmerou "
    "štyristo štvorcových metrov pri potoku za obcou. Nájomca bude pozemok užívať ako ovocný sad.",
    "Nájomné je dvesto eur ročne a je splatné vždy do konca marca. Zmluva sa uzatvára na dobu desať rokov. "
    "Nájomca nesmie pozemok prenechať inej osobe bez súhlasu prenajímateľa. Zmluva nadobúda platnosť dňom "
    "podpisu oboma stranami. Podpísané v Trenčíne dňa piateho mája.",
])

# A report whose first page has a text layer and whose second page is a scan.
MIXED = ("hlasenie_zmiesane", "Hlásenie o stave mosta", [
    "Hlásenie o stave mosta cez rieku. Most bol postavený pred sto rokmi z kameňa. Pri poslednej prehliadke "
    "sme našli trhliny v pilieroch a uvoľnené zábradlie.",
    "Prehliadku vykonal statik so svojím pomocníkom. Odporúčame opraviť piliere ešte pred zimou a zábradlie "
    "vymeniť za oceľové. Náklady odhadujeme na tridsať tisíc eur.",
])
