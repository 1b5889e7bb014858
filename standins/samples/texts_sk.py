"""Slovak sample documents: (file name, title, pages); a page is a paragraph."""

DOCUMENTS = [
    ("ochrana_prirody", "Ochrana prírody v našom kraji", [
        "Ochrana prírody sa začína pri každom z nás. Keď ideme do lesa, berieme si odpadky domov a "
        "nevyrušujeme zvieratá. Chránené územia majú svoje pravidlá, ktoré treba poznať ešte pred výletom.",
        "V národnom parku platí piaty stupeň ochrany. Turisti smú chodiť len po značených chodníkoch a "
        "kúpanie v horských plesách je zakázané. Strážcovia parku kontrolujú dodržiavanie poriadku.",
        "Mokrade sú domovom vzácnych obojživelníkov. Žaby a mloky potrebujú čistú vodu a pokoj. "
        "Dobrovoľníci každú jar prenášajú žaby cez cestu, aby ich nezrazili autá.",
    ]),
    ("kniznica", "Knižničný poriadok", [
        "Čitateľ si môže požičať najviac desať kníh naraz. Výpožičná lehota je štyri týždne a dá sa "
        "predĺžiť osobne, telefonicky alebo cez internetový katalóg knižnice.",
        "Za oneskorené vrátenie knihy sa platí poplatok. Poškodenú alebo stratenú knihu musí čitateľ "
        "nahradiť rovnakým titulom alebo zaplatiť jej cenu podľa cenníka.",
        "V študovni je potrebné zachovávať ticho. Mobilné telefóny treba stlmiť a jedlo nechať v šatni. "
        "Časopisy a noviny sa požičiavajú len prezenčne.",
    ]),
    ("vcelarstvo", "Základy včelárstva", [
        "Včelstvo tvorí jedna matka, tisíce robotníc a v lete aj trúdy. Robotnice zbierajú nektár a "
        "peľ, stavajú plásty a starajú sa o plod. Matka kladie vajíčka do buniek.",
        "Včelár na jar kontroluje zásoby medu a zdravie včelstva. Ak je zima dlhá, včely môžu "
        "vyhladovať, preto im včelár pridáva cukrový roztok alebo medovú pokrmovú zásobu.",
        "Med sa vytáča v lete, keď sú plásty zavíčkované. Kvalitný med je hustý, voňavý a časom "
        "kryštalizuje. Kryštalizácia nie je chyba, ale prirodzená vlastnosť medu.",
    ]),
    ("bicykel", "Údržba bicykla", [
        "Pred každou jazdou skontrolujte tlak v pneumatikách a funkčnosť bŕzd. Mäkká pneumatika sa "
        "ľahko prepichne a zvyšuje odpor. Brzdové platničky sa opotrebúvajú a treba ich vymieňať.",
        "Reťaz čistíme handrou a mažeme tenkou vrstvou oleja. Príliš veľa oleja zachytáva prach a "
        "piesok, ktoré reťaz rýchlo obrusujú. Opotrebovanú reťaz meriame špeciálnym meradlom.",
        "Na zimu bicykel uložíme na suché miesto. Prehadzovačku nastavíme tak, aby lanká neboli "
        "napnuté. Na jar bicykel vyčistíme, premažeme a nastavíme sedlo aj riadidlá.",
    ]),
    ("pocasie", "Počasie a predpoveď", [
        "Meteorológovia sledujú tlak vzduchu, teplotu, vlhkosť a smer vetra. Z týchto údajov "
        "zostavujú predpoveď počasia na najbližšie dni. Dlhodobá predpoveď je vždy menej presná.",
        "Búrky vznikajú najmä v lete, keď sa teplý a vlhký vzduch rýchlo dvíha. Blesk môže "
        "udrieť do vysokých stromov, preto sa pod ne počas búrky neskrývame.",
        "V zime prinášajú studené fronty sneh a poľadovicu. Vodiči majú mať zimné pneumatiky a "
        "jazdiť opatrne. Na horách hrozí lavínové nebezpečenstvo, o ktorom informuje horská služba.",
    ]),
    ("zahrada", "Jarné práce v záhrade", [
        "Na jar záhradu vyčistíme od lístia a suchých konárov. Pôdu prekopeme a pohnojíme kompostom. "
        "Kompost vzniká z rastlinných zvyškov, ktoré sa postupne rozkladajú.",
        "Mrkvu, petržlen a reďkovku sejeme priamo do záhonu. Paradajky a papriky pestujeme najprv v "
        "kvetináčoch na okne a von ich vysádzame až po posledných mrazoch.",
        "Ovocné stromy strihám v predjarí, kým nezačnú rašiť. Odstránim konáre, ktoré rastú dovnútra "
        "koruny alebo sa krížia. Rany zatriem štepárskym voskom.",
    ]),
    ("hvezdaren", "Večer na hvezdárni", [
        "Hvezdáreň otvára kupolu pre verejnosť každý piatok večer. Návštevníci sa cez ďalekohľad "
        "pozerajú na Mesiac, planéty a hviezdokopy. Pri zamračenej oblohe je program v planetáriu.",
        "Jupiter má štyri veľké mesiace, ktoré objavil Galileo Galilei. Saturn je známy svojimi "
        "prstencami z ľadu a prachu. Obe planéty sú viditeľné aj malým ďalekohľadom.",
        "Hmlovina v Orióne je oblasť, kde vznikajú nové hviezdy. Za tmavej noci ju vidno aj voľným "
        "okom ako slabú škvrnu pod Oriónovým pásom.",
    ]),
    ("rieka", "Rieka Hron", [
        "Hron pramení pod Kráľovou hoľou a vlieva sa do Dunaja pri Štúrove. Je to druhá najdlhšia "
        "rieka na Slovensku. Na jeho brehoch ležia mestá Brezno, Banská Bystrica a Zvolen.",
        "Vodáci splavujú Hron na kanoe a raftoch. Úsek pod Banskou Bystricou je pokojný a vhodný aj "
        "pre začiatočníkov. Pri jazoch treba člny preniesť po brehu.",
        "V rieke žije pstruh, hlavátka a mrena. Rybári potrebujú povolenie a musia dodržiavať "
        "lovné miery aj obdobie hájenia. Čistota vody sa v posledných rokoch zlepšila.",
    ]),
    ("varenie", "Bryndzové halušky", [
        "Na halušky potrebujeme zemiaky, hladkú múku, soľ, bryndzu a slaninu. Zemiaky ošúpeme a "
        "najemno nastrúhame. Pridáme múku a soľ a vymiešame husté cesto.",
        "Cesto pretláčame cez haluškár do vriacej osolenej vody. Keď halušky vyplávajú na povrch, "
        "vyberieme ich dierovanou lyžicou a zmiešame s bryndzou.",
        "Slaninu nakrájame na kocky a opečieme do chrumkava. Halušky posypeme slaninou a podávame "
        "teplé. K jedlu sa tradične pije kyslé mlieko alebo žinčica.",
    ]),
    ("mesto", "Dejiny mestečka", [
        "Mestečko sa prvýkrát spomína v listine z roku 1287. Vtedy patrilo kráľovi a obyvatelia "
        "sa živili remeslami, obchodom a ťažbou striebra v okolitých baniach.",
        "V šestnástom storočí mesto obohnali hradbami na obranu proti Turkom. Zachovala sa z nich "
        "mestská brána a dve bašty, ktoré dnes slúžia ako múzeum.",
        "Železnica prišla do mesta v roku 1872. Otvorila cestu novým podnikom, tehelni a pivovaru. "
        "Počet obyvateľov sa za tridsať rokov zdvojnásobil.",
    ]),
    ("skola", "Prvý deň v škole", [
        "Prvákov privítala pani riaditeľka na školskom dvore. Deti dostali tašky s pastelkami, "
        "zošitmi a šlabikárom. Rodičia ich odprevadili až k dverám triedy.",
        "Pani učiteľka si s deťmi zahrala hru na spoznávanie mien. Každé dieťa povedalo, čo rado "
        "robí a aké zviera má doma. Najviac detí malo doma mačku alebo psa.",
        "Na konci dňa si prváci namaľovali obrázok svojej rodiny. Obrázky visia na nástenke "
        "v chodbe, aby si ich mohli pozrieť aj rodičia a starší spolužiaci.",
    ]),
    ("zakon", "Zákon o odpadoch v skratke", [
        "Zákon ukladá obciam povinnosť zabezpečiť triedený zber papiera, plastov, skla a kovov. "
        "Obyvatelia sú povinní odpad triediť a ukladať ho do nádob určenej farby.",
        "Predpis zakazuje spaľovať odpad v záhradách a vypúšťať ho do prírody. Za porušenie zákona "
        "môže obec uložiť pokutu. Nebezpečný odpad sa odovzdáva na zbernom dvore.",
        "Výrobcovia obalov prispievajú na náklady triedeného zberu. Cieľom zákona je znížiť "
        "množstvo odpadu na skládkach a zvýšiť podiel recyklácie.",
    ]),
]
