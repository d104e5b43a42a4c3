// The thirteen filled rows of the biblical number table, in the order of their index.
#include "modbiblicalnumerology.h"

namespace modBiblicalNumerology {

const std::array<BiblicalNumberEntry, 13> kBiblicalNumbers = {{
    {1, BIBLICAL_TEXT("BiblicalNumbers", "Unity"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This is the God's number. It stands for God as the Father, the Son and the Holy Spirit "
                   "joined into one. It means oneness and togetherness, and it marks the beginning of a creative "
                   "idea."),
     BIBLICAL_TEXT("BiblicalNumbers", "John 1.1\r\n"
                                      "In the beginning was the Word and the Word was God.")},
    {2, BIBLICAL_TEXT("BiblicalNumbers", "Division"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This number signifies the two wives of Jacob. Leah stands for Israel and Rachel for the "
                   "Gentile Church. It points to the choices which people must make in life, and to the duality "
                   "of their nature."),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "In Matthew 6.24 it is stated: No man can serve two masters; he hates one and loves the "
                   "other.\r\n"
                   "Matthew\r\n"
                   "A house divided against itself shall not stand.\r\n"
                   "Matthew 18.19\r\n"
                   "If two agree, it shall be done.")},
    {3, BIBLICAL_TEXT("BiblicalNumbers", "Divine Completion"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This is God's numerical signature, the number of the Trinity of Father, Son and Holy Spirit. "
                   "Man himself is made in three parts: body, soul and spirit. Three is the number of the "
                   "resurrection, for Christ rose from the tomb on the third day. The world is ordered in "
                   "threes: past, present and future; land, sea and air; protons, electrons and neutrons. The "
                   "number also joins human qualities with divine qualities."),
     BIBLICAL_TEXT("BiblicalNumbers", "Matt. 3:17,\r\n"
                                      "This is My beloved Son, in whom I am well pleased.\r\n"
                                      "Matt. 17:5\r\n"
                                      "This is My beloved Son, with whom I am well pleased. Listen to Him!\r\n"
                                      "John 12:28\r\n"
                                      "I have both glorified it, and will glorify it again, replied the Father.")},
    {4, BIBLICAL_TEXT("BiblicalNumbers", "Creation"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This is the number of God's creation. The earth has four corners and four winds blow over "
                   "it. Four stands for solidity and steadfastness, for things that are firmly built, and it "
                   "gives a physical, a spiritual and a logical measure."),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "Mark 1.13\r\n"
                   "And He was there in the wilderness forty days tempted of Satan; and was with the wild "
                   "beasts; and the angels ministered unto Him.\r\n"
                   "Matthew 14.25\r\n"
                   "At the fourth watch, in the night, Jesus went out to his disciples, walking on the waters.")},
    {5, BIBLICAL_TEXT("BiblicalNumbers", "Grace and Redemption"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This is the number of Grace. It recalls the miracles worked by the Lord, and it brings "
                   "peace, calm, understanding and meditation."),
     BIBLICAL_TEXT("BiblicalNumbers", "Lev. 14:14-16)\r\n"
                                      "Man, as portrayed by the five main members of his body.")},
    {6, BIBLICAL_TEXT("BiblicalNumbers", "Mankind"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This is the number of man. It tells of all the efforts that have been made through the ages "
                   "to save mankind. It stands for balance, fitness and inner peace, and also for union and "
                   "beauty."),
     BIBLICAL_TEXT("BiblicalNumbers", "John 2.6\r\n"
                                      "And there were set there six water pots of stone for the wedding feast.")},
    {7, BIBLICAL_TEXT("BiblicalNumbers", "Spiritual Completion"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This number represents things that are final. It denotes finality, completeness, perfection "
                   "and rest."),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "1.Luke 23:34\r\n"
                   "Jesus said, Father, forgive them, for they do not know what they are doing. And they "
                   "divided up his garments by casting lots.\r\n"
                   "2. Luke 23:43\r\n"
                   "Jesus answered him, I tell you the truth, today you shall be with me in paradise.\r\n"
                   "3. Matthew 27:46\r\n"
                   "About the ninth hour Jesus cried out with a loud voice, saying, Eli, Eli, lama "
                   "sabachthani? which means My God, my God, why have you forsaken me?\r\n"
                   "4. John 19:26\r\n"
                   "When Jesus saw his mother there, and the disciple whom he loved standing near her, he "
                   "said to his mother, Woman, this is now your son.\r\n"
                   "5. John 19:28\r\n"
                   "Later, knowing that all was now completed, and in order that Scripture would be "
                   "fulfilled, Jesus said, I am thirsty.\r\n"
                   "6. John 19:30\r\n"
                   "When he had received the drink, Jesus said, It is finished. With that, he bowed his "
                   "head, and gave up his spirit.\r\n"
                   "7.Luke 23:46\r\n"
                   "Jesus called out with a loud voice, Father, into your hands I commend my spirit. After he "
                   "had said this, he breathed his last.")},
    {8, BIBLICAL_TEXT("BiblicalNumbers", "New Beginning"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This is the number of new beginnings. Eight people aboard Noah's Ark began the world anew. "
                   "It means starting a process afresh, and it speaks of growing strength and evolution."),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "Gen.17:12\r\n"
                   "And every male among you who is eight days old shall be circumcised throughout your "
                   "generations, both he that is born in your house and he that is bought with money from any "
                   "stranger who is not of your own seed.")},
    {9, BIBLICAL_TEXT("BiblicalNumbers", "Judgment"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This represents the holy Spirit and His work. It is the fruit-bearing number, and it stands "
                   "for consolidation and for collection."),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "1 Corinthians 12:8-10\r\n"
                   "To one there is given through the Spirit a message of wisdom, to another a message of "
                   "knowledge by means of the same Spirit, to another faith by the same Spirit, to another gifts "
                   "of healing by that one Spirit, to another the working of miracles, to another prophecy, to "
                   "another distinguishing between spirits, to another speaking in different kinds of tongues, "
                   "and to still another the interpretation of the tongues.")},
    {10, BIBLICAL_TEXT("BiblicalNumbers", "Divine Perfection"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This signifies man's responsibility, his duties toward God and toward other people. The Ten "
                   "Commandments were given to him as a guide for carrying out these duties."),
     BIBLICAL_TEXT("BiblicalNumbers", "Rev. 2:10\r\n"
                                      "Five doubled; human completeness.")},
    {11, BIBLICAL_TEXT("BiblicalNumbers", "Unravels Set Order"),
     BIBLICAL_TEXT("BiblicalNumbers", "This number is associated with the cross."),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "Mat 27:45\r\n"
                   "Now from the sixth hour there was darkness over all the land unto the ninth hour.")},
    {12, BIBLICAL_TEXT("BiblicalNumbers", "Governmental Perfection"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "This number is related to the foundation of the church. It is about communicating with your "
                   "inner self, listening to it, and expressing your emotions openly and honestly. It marks a "
                   "time to be creative and to try out fresh ideas."),
     BIBLICAL_TEXT("BiblicalNumbers", "Rev. 21:12\r\n"
                                      "God's perfect manifestation, revealed to the created order.")},
    {13, BIBLICAL_TEXT("BiblicalNumbers", "Probation or Trial"),
     BIBLICAL_TEXT("BiblicalNumbers",
                   "You will try to overcome the problems of others. You are practical, organised, methodical "
                   "and hard-working, and you always finish whatever you begin. Your task is to bring spiritual "
                   "energies down to the material plane and to remove evil from it. Trials and problems will "
                   "come your way, but each one of them will make you stronger and wiser."),
     BIBLICAL_TEXT("BiblicalNumbers", "Matthew 4:2\r\n"
                                      "After fasting forty days and forty nights, he was hungry.")},
}};

}  // namespace modBiblicalNumerology
